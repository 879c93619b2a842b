// Speed of one frame of the camera view where nothing changed, everything
// uploaded: the groups the camera may see drawn into a 1280 x 720 picture
// from the player start, then waiting for OpenGL to finish it. Of the
// generated map and of the real map TOLVE_BENCH_MAP names. Real time is what
// the user waits; CPU time counts every thread of the process, the software
// renderer's too.
#include "bench/CameraBenchScene.h"
#include "bench/SceneBenchMaps.h"

#include "scene/SceneCulling.h"

#include <benchmark/benchmark.h>

namespace {

// The groups the frustum lets through, the draws of their ranges, and the
// groups drawn once those hidden behind nearer faces are left out.
void CountWhatIsDrawn(benchmark::State& state, const CSceneGroups& groups,
                      const Matrix4& viewProjection, size_t drawn) {
    const SceneFrustum frustum(viewProjection);
    size_t shown = 0, draws = 0;
    for (const CSceneGroups::Group& group : groups.GetGroups()) {
        if (group.box && frustum.MayShow(*group.box)) {
            ++shown;
            draws += group.mesh.ranges.size();
        }
    }
    state.counters["groups"] = static_cast<double>(groups.GetGroups().size());
    state.counters["groups in view"] = static_cast<double>(shown);
    state.counters["groups drawn"] = static_cast<double>(drawn);
    state.counters["draws"] = static_cast<double>(draws);
}

void DrawFrames(benchmark::State& state, CTolveDoc& doc, const SceneDrawOptions& options) {
    DrawnScene& drawn = GetDrawnScene(doc);
    const Matrix4 viewProjection = BenchViewProjection(CameraAtPlayerStart(doc));
    for (auto _ : state) {
        drawn.scene.DrawFrame(viewProjection, options);
        FinishDrawing();
    }
    CountWhatIsDrawn(state, drawn.model.GetGroups(), viewProjection,
                     drawn.scene.GetRenderer().GetDrawnGroupCount());
    state.counters["entity chunks drawn"] =
        static_cast<double>(drawn.scene.GetRenderer().GetDrawnEntityChunkCount());
}

void BM_CameraFrameGeneratedMap(benchmark::State& state) {
    DrawFrames(state, GetGeneratedMap(static_cast<int>(state.range(0))), {});
}

void BM_CameraFrameRealMap(benchmark::State& state) {
    CTolveDoc* doc = GetRealMap();
    if (!doc) {
        state.SkipWithError("TOLVE_BENCH_MAP names no map that reads");
        return;
    }
    DrawFrames(state, *doc, {});
}

} // namespace

BENCHMARK(BM_CameraFrameGeneratedMap)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_CameraFrameRealMap)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
