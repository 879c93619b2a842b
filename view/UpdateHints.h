#pragma once

#include "framework/CDocument.h"

#include <cstdint>

class CMapBrush;
class CModelEntity;

// The changes a map document tells its views about.
inline constexpr UpdateHint kHintRepaint = 0;      // no object: repaint everything
inline constexpr UpdateHint kHintPointEntity = 1;  // a CPointEntity or none
inline constexpr UpdateHint kHintOwnerBrushes = 3; // a CModelEntity, or none for the world
inline constexpr UpdateHint kHintBrush = 4;        // a CMapBrush or none
inline constexpr UpdateHint kHintSharedBrush = 5;  // no object: the brush in s_hintBrush

// The brush that hint 5 redraws, shared by every view; filled just before the
// hint is sent.
struct HintBrush {
    CModelEntity* owner = nullptr; // none for the world
    CMapBrush* brush = nullptr;
    int32_t vertex = 0;
};

extern HintBrush s_hintBrush;
