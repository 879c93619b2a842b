#pragma once

#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

// True when `point` lies strictly between the document's limits along the
// depth axis of a view in `plane`; everything else is hidden in that view.
inline bool InsideLimits(const CTolveDoc& doc, int32_t plane, const IntPoint& point) {
    const IntPoint& u = doc.m_upperLimit;
    const IntPoint& l = doc.m_lowerLimit;
    switch (plane) {
    case kPlaneXY:
        return l.z < point.z && point.z < u.z;
    case kPlaneXZ:
        return l.y < point.y && point.y < u.y;
    default:
        return u.x < point.x && point.x < l.x;
    }
}
