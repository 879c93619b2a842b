#pragma once

#include "gl/COffscreenScene.h"
#include "scene/CSceneCamera.h"
#include "scene/CSceneModel.h"

// The pictures of the camera view's benchmarks: 1280 x 720.
constexpr int kBenchWidth = 1280, kBenchHeight = 720;

// A map's scene with its own context and picture, so that what one map
// uploaded never stands for another's.
struct DrawnScene {
    explicit DrawnScene(CTolveDoc& doc) : model(doc) {}
    CSceneModel model;
    COffscreenScene scene;
};

// The scene of `doc` drawn once from its player start, every group uploaded
// and every texture loaded, its context current; made at the first call for
// each map and kept. main() has made sure a context can be made.
DrawnScene& GetDrawnScene(CTolveDoc& doc);
// Lets every scene go while the application that their contexts need is
// still there.
void ReleaseDrawnScenes();
Matrix4 BenchViewProjection(const CSceneCamera& camera);
// Waits until OpenGL has done all it was asked, so that what it did counts.
void FinishDrawing();
