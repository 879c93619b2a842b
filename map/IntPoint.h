#pragma once

#include <cstdint>

// A point or vector in map units (z up).
struct IntPoint {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;

    constexpr IntPoint() = default;
    constexpr IntPoint(int32_t px, int32_t py, int32_t pz) : x(px), y(py), z(pz) {}

    friend constexpr bool operator==(const IntPoint&, const IntPoint&) = default;
};
