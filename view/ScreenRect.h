#pragma once

#include <algorithm>
#include <cstdint>

// A rectangle of client pixels, both corners inside it. Empty when a right
// edge lies left of its left edge or a bottom edge above its top edge.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = -1;
    int32_t bottom = -1;

    bool IsEmpty() const { return right < left || bottom < top; }
    int64_t Area() const {
        return IsEmpty() ? 0 : (int64_t{right} - left + 1) * (int64_t{bottom} - top + 1);
    }
    bool Intersects(const ScreenRect& o) const {
        return !IsEmpty() && !o.IsEmpty() && left <= o.right && o.left <= right &&
               top <= o.bottom && o.top <= bottom;
    }
    ScreenRect Intersected(const ScreenRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    ScreenRect United(const ScreenRect& o) const {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    // Grown by `margin` on every side; the caller keeps the edges far from the
    // ends of the 32-bit range.
    ScreenRect Inflated(int32_t margin) const {
        return {left - margin, top - margin, right + margin, bottom + margin};
    }

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};
