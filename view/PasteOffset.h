#pragma once

#include "map/FragmentPlacement.h"
#include "map/IntPoint.h"

#include <cstdint>

// How far to move pasted objects with the bounds `box` so that the box's
// centre comes as near as whole `snap` steps allow to `cursor` snapped, in the
// two axes of the view plane `plane`; the depth axis does not move.
IntPoint PasteOffset(const IntBox& box, const IntPoint& cursor, int32_t plane, int32_t snap);
