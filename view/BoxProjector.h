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
        return m_mapper.Visit([&](auto map) { return ProjectWith(map, box); });
    }
    // Calls visit(project) with project(box) -> optional<ScreenRect> compiled
    // for this plane and mode, for loops over many boxes.
    template <class Visitor> decltype(auto) Visit(Visitor&& visit) const {
        return m_mapper.Visit([&](auto map) {
            return visit([&](const IntBox& box) { return ProjectWith(map, box); });
        });
    }
    // The least Manhattan distance in pixels from `mouse` to anything in the
    // rectangle; 0 when there is none (the box counts as anywhere).
    static int64_t LeastDistance(const std::optional<ScreenRect>& rect, ScreenPoint mouse);

private:
    static ScreenRect Around(ScreenPoint a, ScreenPoint b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    bool SafePoint(const IntPoint& p) const { return Safe(p.x) && Safe(p.y) && Safe(p.z); }
    bool Safe(int64_t value) const { return value < m_limit && value > -m_limit; }
    // A flat view: across depends on one world axis alone and down on
    // another, so two opposite corners span the rectangle. The oblique 3D
    // view mixes in the depth: all eight corners.
    template <class Map>
    std::optional<ScreenRect> ProjectWith(const Map& map, const IntBox& box) const {
        if (!m_safe || !SafePoint(box.min) || !SafePoint(box.max))
            return std::nullopt;
        ScreenRect rect = Around(map(box.min), map(box.max));
        if (m_threeD) {
            for (int corner = 1; corner < 7; ++corner) {
                const ScreenPoint s = map(IntPoint((corner & 1 ? box.max : box.min).x,
                                                   (corner & 2 ? box.max : box.min).y,
                                                   (corner & 4 ? box.max : box.min).z));
                rect = rect.United({s.x, s.y, s.x, s.y});
            }
        }
        return rect;
    }

    CScreenMapper m_mapper;
    bool m_threeD;
    bool m_safe;
    int64_t m_limit; // coordinates beyond this may wrap
};
