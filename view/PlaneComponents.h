#pragma once

#include "map/IntPoint.h"
#include "view/CViewProjection.h"

// The two components of `source` that lie in a view's plane (XY: x and y;
// XZ: x and z; YZ: y and z) copied into `target`; its depth stays.
inline void CopyPlaneComponents(IntPoint& target, const IntPoint& source, int32_t plane) {
    if (plane != kPlaneYZ)
        target.x = source.x;
    if (plane != kPlaneXZ)
        target.y = source.y;
    if (plane != kPlaneXY)
        target.z = source.z;
}
