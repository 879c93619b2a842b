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
