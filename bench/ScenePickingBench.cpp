// Picking in the camera view on a large generated map: one ray per
// iteration, through the pixels of a 16 x 10 grid over a 1600 x 1000 picture,
// from a player start inside the map and from outside with the whole map in
// the picture; and the plain test of every brush the search must agree with.

#include "bench/SceneBenchMaps.h"
#include "scene/ScenePicking.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kWidth = 1600, kHeight = 1000;

IntBox MapBounds(const CTolveDoc& doc) {
    doc.GetBrushBoxes();
    std::optional<IntBox> bounds;
    for (const auto& run : doc.GetBrushRunBoxes())
        Grow(bounds, run);
    return bounds.value_or(IntBox{});
}

CSceneCamera OutsideCamera(const CTolveDoc& doc) {
    CSceneCamera camera;
    camera.SetAngles(45, -30);
    camera.Frame(MapBounds(doc), double{kWidth} / kHeight);
    return camera;
}

std::vector<SceneRay> GridRays(const CSceneCamera& camera) {
    std::vector<SceneRay> rays;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 16; ++column)
            rays.push_back(camera.MakeRay(column * 100 + 50, row * 100 + 50, kWidth, kHeight));
    }
    return rays;
}

template <class Pick>
void PickGrid(benchmark::State& state, const CTolveDoc& doc, const CSceneCamera& camera,
              Pick pick) {
    const std::vector<SceneRay> rays = GridRays(camera);
    size_t next = 0;
    int64_t hits = 0;
    for (auto _ : state) {
        const ScenePick found = pick(doc, rays[next]);
        hits += found.IsHit();
        benchmark::DoNotOptimize(found);
        next = (next + 1) % rays.size();
    }
    state.counters["hit share"] = static_cast<double>(hits) / state.iterations();
    state.counters["point entities"] = static_cast<double>(doc.GetPointEntities().size());
}

void BM_PickFromInsideTheMap(benchmark::State& state) {
    const CTolveDoc& doc = GetGeneratedMap(static_cast<int>(state.range(0)));
    PickGrid(state, doc, CameraAtPlayerStart(doc), PickAlongRay);
}

void BM_PickWithTheWholeMapInView(benchmark::State& state) {
    const CTolveDoc& doc = GetGeneratedMap(static_cast<int>(state.range(0)));
    PickGrid(state, doc, OutsideCamera(doc), PickAlongRay);
}

void BM_PickTestingEveryBrush(benchmark::State& state) {
    const CTolveDoc& doc = GetGeneratedMap(static_cast<int>(state.range(0)));
    PickGrid(state, doc, CameraAtPlayerStart(doc), PickAlongRayTestingEveryBrush);
}

} // namespace

BENCHMARK(BM_PickFromInsideTheMap)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickWithTheWholeMapInView)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickTestingEveryBrush)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
