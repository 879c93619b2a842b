#pragma once

#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

// The open interval a coordinate along a view's depth axis must lie in to be
// shown: strictly between the document's limits.
struct DepthSlab {
    int axis;     // 0, 1 or 2 for x, y or z
    int32_t low;  // exclusive
    int32_t high; // exclusive

    bool Contains(const IntPoint& point) const {
        const int32_t depth = point.Component(axis);
        return low < depth && depth < high;
    }
};

// The limits are stored the way the views use them: the upper limit holds the
// smallest x, so the YZ slab runs from it to the lower limit's x.
inline DepthSlab SlabOf(const CTolveDoc& doc, int32_t plane) {
    const CEditorState& state = doc.GetEditorState();
    const IntPoint& u = state.GetUpperLimit();
    const IntPoint& l = state.GetLowerLimit();
    switch (plane) {
    case kPlaneXY:
        return {2, l.z, u.z};
    case kPlaneXZ:
        return {1, l.y, u.y};
    default:
        return {0, u.x, l.x};
    }
}

// True when `point` is shown in a view of `plane`; everything else is hidden.
inline bool InsideLimits(const CTolveDoc& doc, int32_t plane, const IntPoint& point) {
    return SlabOf(doc, plane).Contains(point);
}
