#include "map/PlaneTurn.h"

namespace {

template <class Point, class Scalar>
Point Transform(Point point, int h, int v, PlaneTurn::Kind kind, Scalar ch, Scalar cv) {
    using Kind = PlaneTurn::Kind;
    const Scalar a = point[h] - ch;
    const Scalar b = point[v] - cv;
    switch (kind) {
    case Kind::kTurnHToV:
        point[h] = ch - b;
        point[v] = cv + a;
        break;
    case Kind::kTurnVToH:
        point[h] = ch + b;
        point[v] = cv - a;
        break;
    case Kind::kMirrorH:
        point[h] = ch - a;
        break;
    case Kind::kMirrorV:
        point[v] = cv - b;
        break;
    }
    return point;
}

// IntPoint by index, for the shared transform.
struct Indexed {
    int32_t c[3];
    int32_t operator[](int axis) const { return c[axis]; }
    int32_t& operator[](int axis) { return c[axis]; }
};

int32_t Normalised(int32_t degrees) {
    degrees %= 360;
    return degrees < 0 ? degrees + 360 : degrees;
}

} // namespace

IntPoint PlaneTurn::Apply(const IntPoint& point) const {
    const Indexed turned = Transform(Indexed{{point.x, point.y, point.z}}, h, v, kind,
                                     centre.Component(h), centre.Component(v));
    return {turned[0], turned[1], turned[2]};
}

Vec3d PlaneTurn::ApplyToDirection(const Vec3d& direction) const {
    return Transform(direction, h, v, kind, 0.0, 0.0);
}

int32_t TurnYaw(int32_t yaw, const PlaneTurn& turn) {
    if (yaw == -1 || yaw == -2)
        return yaw;
    // Seen from above the yaw runs from x toward y; only x and y can carry it.
    const bool flat = (turn.h == 0 && turn.v == 1) || (turn.h == 1 && turn.v == 0);
    const int mirrored = turn.kind == PlaneTurn::Kind::kMirrorH   ? turn.h
                         : turn.kind == PlaneTurn::Kind::kMirrorV ? turn.v
                                                                  : -1;
    if (mirrored == 0)
        return Normalised(180 - yaw);
    if (mirrored == 1)
        return Normalised(-yaw);
    if (!flat || mirrored == 2)
        return yaw;
    // A turn from x to y adds a quarter; h and v may be y and x.
    const bool xToY = (turn.kind == PlaneTurn::Kind::kTurnHToV) == (turn.h == 0);
    return Normalised(yaw + (xToY ? 90 : -90));
}
