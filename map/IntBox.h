#pragma once

#include "map/IntPoint.h"

#include <algorithm>
#include <optional>

// The smallest box around a set of points, corners included.
struct IntBox {
    IntPoint min;
    IntPoint max;

    friend constexpr bool operator==(const IntBox&, const IntBox&) = default;
};

// Makes `box` take in `p`; an empty box becomes the point.
inline void Grow(std::optional<IntBox>& box, const IntPoint& p) {
    if (!box) {
        box = IntBox{p, p};
        return;
    }
    box->min = {std::min(box->min.x, p.x), std::min(box->min.y, p.y), std::min(box->min.z, p.z)};
    box->max = {std::max(box->max.x, p.x), std::max(box->max.y, p.y), std::max(box->max.z, p.z)};
}

// Makes `box` take in all of `other`, when there is one.
inline void Grow(std::optional<IntBox>& box, const std::optional<IntBox>& other) {
    if (other) {
        Grow(box, other->min);
        Grow(box, other->max);
    }
}
