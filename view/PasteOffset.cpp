#include "view/PasteOffset.h"

#include "view/CViewProjection.h"

namespace {

int32_t Centre(int32_t low, int32_t high) {
    return static_cast<int32_t>((int64_t{low} + int64_t{high}) / 2);
}

int32_t OffsetAlong(int axis, const IntBox& box, const IntPoint& cursor, int32_t snap) {
    const int32_t target = SnapValue(cursor.Component(axis), snap);
    const int64_t gap = int64_t{target} - Centre(box.min.Component(axis), box.max.Component(axis));
    return SnapValue(static_cast<int32_t>(gap), snap);
}

} // namespace

IntPoint PasteOffset(const IntBox& box, const IntPoint& cursor, int32_t plane, int32_t snap) {
    const int depth = DepthAxisOf(plane);
    int32_t offset[3] = {};
    for (int axis = 0; axis < 3; ++axis) {
        if (axis != depth)
            offset[axis] = OffsetAlong(axis, box, cursor, snap);
    }
    return {offset[0], offset[1], offset[2]};
}
