#include "scene/SceneDragPlane.h"

#include <cmath>

namespace {

// Faces tilted less than about 45 degrees from level drag along the floor.
constexpr double kLevelEnough = 0.7;
// A ray this close to running along the plane meets it too far off to use.
constexpr double kGrazing = 1e-6;

// Far beyond the world, and still far from the ends of the integers.
constexpr double kFarthest = 1 << 24;

int32_t SnapComponent(double value, int32_t snap) {
    const double held = std::fmax(-kFarthest, std::fmin(kFarthest, value));
    return static_cast<int32_t>(std::llround(held / snap) * snap);
}

} // namespace

SceneDragPlane SceneDragPlane::Choose(const Vec3d& grabbed, const Vec3d& faceNormal,
                                      const Vec3d& viewForward, bool upright) {
    if (upright) {
        Vec3d across{viewForward.x, viewForward.y, 0.0};
        if (Length(across) < kGrazing)
            across = {1.0, 0.0, 0.0};
        return {grabbed, Normalized(across)};
    }
    if (std::fabs(faceNormal.z) >= kLevelEnough)
        return {grabbed, {0.0, 0.0, 1.0}};
    return {grabbed, Normalized(faceNormal)};
}

std::optional<Vec3d> SceneDragPlane::Meet(const SceneRay& ray) const {
    const double along = Dot(ray.direction, normal);
    if (std::fabs(along) < kGrazing)
        return std::nullopt;
    const double distance = Dot(point - ray.origin, normal) / along;
    if (distance <= 0.0)
        return std::nullopt;
    return ray.origin + ray.direction * distance;
}

IntPoint SnapToGrid(const Vec3d& point, int32_t snap) {
    snap = snap < 1 ? 1 : snap;
    return {SnapComponent(point.x, snap), SnapComponent(point.y, snap),
            SnapComponent(point.z, snap)};
}
