#pragma once

#include "map/CMapBrush.h"
#include "map/IntPoint.h"
#include "map/Matrix3.h"
#include "map/Vec3d.h"

#include <cstdint>

// A free transform of brushes and entities: scaled by a factor along each
// axis, then turned by an angle about an axis, both about a centre, then
// moved. A point p goes to centre + turn(scale(p - centre)) + move.
struct BrushTransform {
    Vec3d move;
    double turnDegrees = 0.0;      // anticlockwise seen from where the axis points
    Vec3d turnAxis{0.0, 0.0, 1.0}; // of any length but zero
    Vec3d centre;
    Vec3d scale{1.0, 1.0, 1.0}; // a negative factor mirrors

    // The turn after the scale, without the centre and the move.
    Matrix3 Linear() const;
    // What texture axes go through so that every moved point shows the texel
    // it showed before: the inverse transpose of Linear.
    Matrix3 AxesMap() const;
    Vec3d Apply(const Vec3d& point) const;
    // An odd number of negative factors turns faces inside out.
    bool Mirrors() const { return scale.x * scale.y * scale.z < 0.0; }
};

// What stands in the way of transforming one brush; nothing changes then.
enum class TransformProblem : uint8_t {
    kNone,
    kNoVolume,       // the result would have no volume
    kTooManyCorners, // more corners than a brush can hold
    kOpen,           // the result would not be closed
    kBeyondWorld,    // a corner would lie beyond the world
    kNotHeld,        // the brush is kept as text only
};

// Builds `transformed` from `brush` the way the reader builds a brush: each
// face's plane goes through the transform exactly (from the points it was
// read with while the brush is untouched, else from its corners); a face
// whose new plane points are all whole numbers keeps them, any other keeps
// its points with their decimals, written so, so that saving and reading
// gives the very same planes. With `lock`, textures stay where they were on
// the brush as far as each face's form can hold them (see TextureLock.h).
// `transformed` is meant only when the answer is kNone.
TransformProblem TransformBrush(const CMapBrush& brush, const BrushTransform& transform, bool lock,
                                CMapBrush& transformed);

// Some face of the brush is saved through plane points with decimals.
bool KeepsDecimalPlanePoints(const CMapBrush& brush);

// Why a transform is refused, as the end of a sentence: "would have no volume".
const char* DescribeTransformProblem(TransformProblem problem);

// An entity's origin after the transform, to the nearest whole unit.
IntPoint TransformOrigin(const IntPoint& origin, const BrushTransform& transform);

// The yaw of an "angle" key (degrees anticlockwise from +x seen from above)
// after the transform, to the nearest degree. Up and down (-1, -2) stay, and
// so does a yaw that a transform tilting the vertical cannot carry.
int32_t TransformYaw(int32_t yaw, const BrushTransform& transform);
