#include "scene/SceneClipPoint.h"

#include "map/CTolveDoc.h"
#include "map/TextureProjection.h"
#include "scene/SceneDragPlane.h"
#include "view/CClipTool.h"

#include <cmath>
#include <limits>

namespace {

int DominantAxis(const Vec3d& normal) {
    const double ax = std::abs(normal.x), ay = std::abs(normal.y), az = std::abs(normal.z);
    return az >= ax && az >= ay ? 2 : (ay >= ax ? 1 : 0);
}

double& Component(Vec3d& v, int axis) {
    return axis == 0 ? v.x : (axis == 1 ? v.y : v.z);
}

double ComponentOf(const Vec3d& v, int axis) {
    return axis == 0 ? v.x : (axis == 1 ? v.y : v.z);
}

// The hit on the grid across the face, and on the face's plane along its
// normal, where a grid point may not lie.
IntPoint SnapOnFace(const ScenePick& pick, int32_t snap) {
    const Vec3d normal = GetFaceNormal(*pick.brush, pick.face);
    const int along = DominantAxis(normal);
    const IntPoint gridded = SnapToGrid(pick.point, snap);
    Vec3d point = ToVec3d(gridded);
    const double depth = Dot(normal, pick.point - point);
    Component(point, along) += depth / ComponentOf(normal, along);
    return {static_cast<int32_t>(std::lround(point.x)), static_cast<int32_t>(std::lround(point.y)),
            static_cast<int32_t>(std::lround(point.z))};
}

// How far a point may lie from the hit to show within the corner reach: a few
// pixels' worth of world at the hit's depth, and then some.
double ReachAround(const ScenePick& pick, int height) {
    const double pixelAtDepth =
        2.0 * CSceneCamera::kHalfHeightAtUnitDepth * pick.distance / std::max(height, 1);
    return 4.0 * (kClipCornerPixels + 1) * pixelAtDepth + 1.0;
}

bool BoxNear(const IntBox& box, const Vec3d& p, double reach) {
    return p.x >= box.min.x - reach && p.x <= box.max.x + reach && p.y >= box.min.y - reach &&
           p.y <= box.max.y + reach && p.z >= box.min.z - reach && p.z <= box.max.z + reach;
}

} // namespace

std::optional<IntPoint> SnapSceneClipPoint(const CTolveDoc& doc, const ScenePick& pick,
                                           const CSceneCamera& camera, ScenePixel mouse, int width,
                                           int height) {
    if (!pick.brush)
        return std::nullopt;
    const double reach = ReachAround(pick, height);
    std::optional<IntPoint> nearest;
    double nearestDistance = std::numeric_limits<double>::max();
    for (const CBrushBoxIndex::Entry& entry : doc.GetBrushBoxes()) {
        if (!entry.HasCorners() || !BoxNear(entry.box, pick.point, reach))
            continue;
        const CMapBrush& brush = *entry.brush;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const std::optional<ScenePixel> p =
                camera.PixelOf(ToVec3d(brush.m_vertices[v]), width, height);
            if (!p)
                continue;
            const double dx = p->x - mouse.x, dy = p->y - mouse.y;
            const double distance = dx * dx + dy * dy;
            if (distance <= kClipCornerPixels * kClipCornerPixels && distance < nearestDistance) {
                nearest = brush.m_vertices[v];
                nearestDistance = distance;
            }
        }
    }
    return nearest ? nearest : SnapOnFace(pick, doc.GetEditorState().GetSnap());
}
