#include "bench/CameraBenchScene.h"

#include "bench/SceneBenchMaps.h"
#include "texture/TexturePalette.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <map>
#include <memory>

namespace {

std::map<const CTolveDoc*, std::unique_ptr<DrawnScene>> s_scenes;

} // namespace

DrawnScene& GetDrawnScene(CTolveDoc& doc) {
    std::unique_ptr<DrawnScene>& drawn = s_scenes[&doc];
    if (!drawn) {
        drawn = std::make_unique<DrawnScene>(doc);
        std::string error;
        drawn->scene.Create(kBenchWidth, kBenchHeight, error);
        LoadTexturePalette(TOLVE_BENCH_PALETTE);
        drawn->scene.Render(drawn->model, BenchViewProjection(CameraAtPlayerStart(doc)), {},
                            GetTexturePalette());
    }
    return *drawn;
}

void ReleaseDrawnScenes() {
    s_scenes.clear();
}

Matrix4 BenchViewProjection(const CSceneCamera& camera) {
    return camera.GetProjectionMatrix(double{kBenchWidth} / kBenchHeight) * camera.GetViewMatrix();
}

void FinishDrawing() {
    QOpenGLContext::currentContext()->functions()->glFinish();
}
