#pragma once

#include "map/IntPoint.h"

#include <cmath>

// A direction or point in double precision, for texture projections.
struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr double operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
    constexpr double& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }

    friend constexpr bool operator==(const Vec3d&, const Vec3d&) = default;
};

constexpr Vec3d ToVec3d(const IntPoint& p) {
    return {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
}

constexpr Vec3d operator+(const Vec3d& a, const Vec3d& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

constexpr Vec3d operator-(const Vec3d& a, const Vec3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

constexpr Vec3d operator*(const Vec3d& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

constexpr double Dot(const Vec3d& a, const Vec3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

constexpr Vec3d Cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(const Vec3d& a) {
    return std::sqrt(Dot(a, a));
}

// The unit vector along `a`; a zero vector stays zero.
inline Vec3d Normalized(const Vec3d& a) {
    const double length = Length(a);
    return length > 0.0 ? a * (1.0 / length) : a;
}
