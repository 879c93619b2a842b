#pragma once

#include "map/IntBox.h"
#include "view/CViewProjection.h"
#include "view/ScreenRect.h"

#include <algorithm>
#include <optional>

// The screen rectangles of world boxes in one projection. Each screen axis
// grows or shrinks steadily with every world axis, so the corners of a box
// bound every point inside it, as long as no sum wraps at 32 bits: boxes and
// views far out, where it might, get no rectangle and count as anywhere.
class CBoxProjector {
public:
    explicit CBoxProjector(const CViewProjection& projection);

    std::optional<ScreenRect> Project(const IntBox& box) const {
        if (!m_safe || !SafePoint(box.min) || !SafePoint(box.max))
            return std::nullopt;
        return m_threeD ? ProjectCorners(box) : ProjectDiagonal(box);
    }
    // Calls visit(project) with project(box) -> optional<ScreenRect> compiled
    // for this plane and mode, for loops over many boxes.
    template <class Visitor> decltype(auto) Visit(Visitor&& visit) const {
        return m_mapper.Visit([&](auto map) {
            return visit([&](const IntBox& box) -> std::optional<ScreenRect> {
                if (!m_safe || !SafePoint(box.min) || !SafePoint(box.max))
                    return std::nullopt;
                return m_threeD ? ProjectCorners(box) : Around(map(box.min), map(box.max));
            });
        });
    }
    // The least Manhattan distance in pixels from `mouse` to anything the box
    // holds; 0 when the box has no rectangle.
    int64_t LeastDistance(const IntBox& box, ScreenPoint mouse) const;

private:
    static ScreenRect Around(ScreenPoint a, ScreenPoint b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    bool SafePoint(const IntPoint& p) const { return Safe(p.x) && Safe(p.y) && Safe(p.z); }
    bool Safe(int64_t value) const { return value < m_limit && value > -m_limit; }
    // A flat view: across depends on one world axis alone and down on
    // another, so two opposite corners span the rectangle.
    ScreenRect ProjectDiagonal(const IntBox& box) const;
    // The oblique 3D view mixes in the depth: all eight corners.
    ScreenRect ProjectCorners(const IntBox& box) const;

    CScreenMapper m_mapper;
    bool m_threeD;
    bool m_safe;
    int64_t m_limit; // coordinates beyond this may wrap
};
