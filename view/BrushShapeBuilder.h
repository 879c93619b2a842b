#pragma once

#include "map/CMapBrush.h"
#include "view/CViewProjection.h"

#include <cstdint>

inline constexpr int kMaxPrismSides = kMaxBrushFaces - 2;   // sides + top + bottom
inline constexpr int kMaxPyramidSides = kMaxBrushFaces - 1; // sides + base
inline constexpr int kMinBaseSides = 3;

// Builds an upright prism ("Box") or pyramid ("Cone") with a regular n-sided
// base `width` pixels across, centred on the mouse position, lying in the
// view's plane at the insertion point's depth; the top or apex lies `height`
// world units toward the viewer. Every corner is snapped. Refuses, with a
// message, a base the brush cannot hold; returns whether it built.
namespace brushshapes {
bool BuildBrushShape(CMapBrush& brush, const CViewProjection& projection, ScreenPoint mouse,
                     const IntPoint& insertionPoint, int16_t width, int16_t height, int16_t snap,
                     uint8_t sides, bool prism);
} // namespace brushshapes
