#pragma once

#include <cstdint>

// A point or vector in map units (z up).
struct IntPoint {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;

    constexpr IntPoint() = default;
    constexpr IntPoint(int32_t px, int32_t py, int32_t pz) : x(px), y(py), z(pz) {}

    // x, y or z by number: 0, 1 or 2.
    constexpr int32_t Component(int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }

    friend constexpr bool operator==(const IntPoint&, const IntPoint&) = default;
};
