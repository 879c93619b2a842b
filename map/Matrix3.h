#pragma once

#include "map/Vec3d.h"

// A linear map of space as three rows: m * v is (row0 . v, row1 . v, row2 . v).
struct Matrix3 {
    Vec3d rows[3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};

    constexpr Vec3d operator*(const Vec3d& v) const {
        return {Dot(rows[0], v), Dot(rows[1], v), Dot(rows[2], v)};
    }
    constexpr double Determinant() const { return Dot(rows[0], Cross(rows[1], rows[2])); }
    // Column `axis`: where the unit vector along that axis goes.
    constexpr Vec3d Column(int axis) const { return {rows[0][axis], rows[1][axis], rows[2][axis]}; }

    friend constexpr bool operator==(const Matrix3&, const Matrix3&) = default;
};
