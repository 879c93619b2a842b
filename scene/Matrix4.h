#pragma once

#include "map/Vec3d.h"

#include <array>

// A 4x4 matrix in the order OpenGL takes it (column after column), in single
// precision as it is uploaded; the camera works in double and converts last.
struct Matrix4 {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& At(int row, int column) { return m[static_cast<size_t>(column * 4 + row)]; }
    float At(int row, int column) const { return m[static_cast<size_t>(column * 4 + row)]; }
    const float* Data() const { return m.data(); }
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

// A right-handed perspective with a vertical field of view in degrees, mapping
// depth between the near and far planes to -1..1 as OpenGL's clip space has it.
Matrix4 MakePerspective(double verticalFovDegrees, double aspect, double nearPlane,
                        double farPlane);
// The view from `eye` looking along `forward` with `up` roughly upward: world
// to eye space, the eye looking down its -Z axis.
Matrix4 MakeLookAlong(const Vec3d& eye, const Vec3d& forward, const Vec3d& up);

// The point in clip space, before the division by w.
struct ClipPoint {
    double x = 0.0, y = 0.0, z = 0.0, w = 1.0;
};
ClipPoint Transform(const Matrix4& matrix, const Vec3d& point);
