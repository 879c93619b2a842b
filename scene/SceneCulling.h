#pragma once

#include "map/IntBox.h"
#include "map/Vec3d.h"
#include "scene/Matrix4.h"

#include <array>

// The six planes of what a camera sees, taken from its combined view and
// projection, to pass over groups of brushes wholly outside the picture.
class SceneFrustum {
public:
    explicit SceneFrustum(const Matrix4& viewProjection);

    // False only when the box lies wholly outside one of the planes.
    bool MayShow(const IntBox& box) const;
    // Where the side planes meet: the camera's eye, so the drawing can go
    // from near to far without being told where the camera is.
    Vec3d GetEye() const;

private:
    struct Plane {
        double a, b, c, d; // a x + b y + c z + d >= 0 inside
    };
    std::array<Plane, 6> m_planes{};
};

// Squared distance from `p` to the nearest point of `box`; 0 inside it.
double DistanceSquaredToBox(const Vec3d& p, const IntBox& box);
