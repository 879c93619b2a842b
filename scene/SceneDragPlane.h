#pragma once

#include "map/IntPoint.h"
#include "map/Vec3d.h"
#include "scene/CSceneCamera.h"

#include <optional>

// The plane a drag in the camera view moves things on: through the point
// grabbed, level when the grabbed face is a floor or a ceiling (or nearly),
// else the face's own plane; with Alt, upright and turned to the camera.
struct SceneDragPlane {
    Vec3d point;
    Vec3d normal; // unit length

    static SceneDragPlane Choose(const Vec3d& grabbed, const Vec3d& faceNormal,
                                 const Vec3d& viewForward, bool upright);
    // Where the ray meets the plane in front of the eye, if it does.
    std::optional<Vec3d> Meet(const SceneRay& ray) const;
};

// The nearest whole point of the snap grid; a snap below 1 counts as 1.
IntPoint SnapToGrid(const Vec3d& point, int32_t snap);
