#pragma once

#include "map/IntBox.h"

#include <optional>

class CMapBrush;
class CPointEntity;

// Around a brush's corners; nothing for a brush without any, which the views
// do not draw (one kept as text only).
std::optional<IntBox> BoundsOf(const CMapBrush& brush);
// The entity's origin.
IntBox BoundsOf(const CPointEntity& entity);
