#pragma once

#include "map/IntPoint.h"
#include "scene/CSceneCamera.h"
#include "scene/ScenePicking.h"

class CTolveDoc;

// The point a click on a face in the camera view sets for the clip tool: the
// brush corner nearest the pointer within kClipCornerPixels on the picture,
// else the hit snapped to the grid along the two axes the face spreads over
// most, the third worked out to stay on the face's plane. Nothing where the
// click met no brush.
std::optional<IntPoint> SnapSceneClipPoint(const CTolveDoc& doc, const ScenePick& pick,
                                           const CSceneCamera& camera, ScenePixel mouse, int width,
                                           int height);
