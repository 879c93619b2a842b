#include "scene/SceneCulling.h"

SceneFrustum::SceneFrustum(const Matrix4& m) {
    // Each plane is the last row of the matrix plus or minus one of the
    // others: clip space keeps -w <= x, y, z <= w.
    for (int i = 0; i < 6; ++i) {
        const int row = i / 2;
        const double sign = i % 2 == 0 ? 1.0 : -1.0;
        m_planes[static_cast<size_t>(i)] = {
            m.At(3, 0) + sign * m.At(row, 0), m.At(3, 1) + sign * m.At(row, 1),
            m.At(3, 2) + sign * m.At(row, 2), m.At(3, 3) + sign * m.At(row, 3)};
    }
}

bool SceneFrustum::MayShow(const IntBox& box) const {
    for (const Plane& plane : m_planes) {
        // The corner of the box farthest along the plane's normal.
        const double x = plane.a >= 0 ? box.max.x : box.min.x;
        const double y = plane.b >= 0 ? box.max.y : box.min.y;
        const double z = plane.c >= 0 ? box.max.z : box.min.z;
        if (plane.a * x + plane.b * y + plane.c * z + plane.d < 0)
            return false;
    }
    return true;
}

Vec3d SceneFrustum::GetEye() const {
    // The left, right and bottom planes meet in one point; Cramer's rule.
    const Plane& p = m_planes[0];
    const Plane& q = m_planes[1];
    const Plane& r = m_planes[2];
    const auto determinant = [](double a1, double b1, double c1, double a2, double b2, double c2,
                                double a3, double b3, double c3) {
        return a1 * (b2 * c3 - b3 * c2) - b1 * (a2 * c3 - a3 * c2) + c1 * (a2 * b3 - a3 * b2);
    };
    const double d = determinant(p.a, p.b, p.c, q.a, q.b, q.c, r.a, r.b, r.c);
    if (d == 0.0)
        return {};
    return {determinant(-p.d, p.b, p.c, -q.d, q.b, q.c, -r.d, r.b, r.c) / d,
            determinant(p.a, -p.d, p.c, q.a, -q.d, q.c, r.a, -r.d, r.c) / d,
            determinant(p.a, p.b, -p.d, q.a, q.b, -q.d, r.a, r.b, -r.d) / d};
}

double DistanceSquaredToBox(const Vec3d& p, const IntBox& box) {
    double sum = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double below = box.min.Component(axis) - p[axis];
        const double above = p[axis] - box.max.Component(axis);
        const double outside = below > 0 ? below : above > 0 ? above : 0.0;
        sum += outside * outside;
    }
    return sum;
}
