#include "scene/Matrix4.h"

#include <cmath>
#include <numbers>

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.At(row, k) * b.At(k, column);
            product.At(row, column) = sum;
        }
    }
    return product;
}

Matrix4 MakePerspective(double verticalFovDegrees, double aspect, double nearPlane,
                        double farPlane) {
    const double f = 1.0 / std::tan(verticalFovDegrees * std::numbers::pi / 360.0);
    Matrix4 matrix;
    matrix.m.fill(0.0f);
    matrix.At(0, 0) = static_cast<float>(f / aspect);
    matrix.At(1, 1) = static_cast<float>(f);
    matrix.At(2, 2) = static_cast<float>((farPlane + nearPlane) / (nearPlane - farPlane));
    matrix.At(2, 3) = static_cast<float>(2.0 * farPlane * nearPlane / (nearPlane - farPlane));
    matrix.At(3, 2) = -1.0f;
    return matrix;
}

Matrix4 MakeLookAlong(const Vec3d& eye, const Vec3d& forward, const Vec3d& up) {
    const Vec3d f = Normalized(forward);
    const Vec3d s = Normalized(Cross(f, up));
    const Vec3d u = Cross(s, f);
    Matrix4 matrix;
    for (int i = 0; i < 3; ++i) {
        matrix.At(0, i) = static_cast<float>(s[i]);
        matrix.At(1, i) = static_cast<float>(u[i]);
        matrix.At(2, i) = static_cast<float>(-f[i]);
    }
    matrix.At(0, 3) = static_cast<float>(-Dot(s, eye));
    matrix.At(1, 3) = static_cast<float>(-Dot(u, eye));
    matrix.At(2, 3) = static_cast<float>(Dot(f, eye));
    return matrix;
}

ClipPoint Transform(const Matrix4& matrix, const Vec3d& point) {
    double out[4];
    for (int row = 0; row < 4; ++row) {
        out[row] = matrix.At(row, 0) * point.x + matrix.At(row, 1) * point.y +
                   matrix.At(row, 2) * point.z + matrix.At(row, 3);
    }
    return {out[0], out[1], out[2], out[3]};
}
