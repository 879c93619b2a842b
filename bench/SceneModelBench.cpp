// Speed of what the camera view keeps of a large generated map: building it
// all from nothing (the view does it a budget of groups per frame; "s per
// group" is what one group costs), and one step of dragging one selected
// brush, which must rebuild only the group that holds it, with and without
// uploading what changed.
#include "bench/CameraBenchScene.h"
#include "bench/SceneBenchMaps.h"
#include "map/CMapTransaction.h"
#include "scene/CSceneModel.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int kMapBrushes = 100000;

void BM_SceneBuildWholeMap(benchmark::State& state) {
    CTolveDoc& doc = GetGeneratedMap(static_cast<int>(state.range(0)));
    uint64_t groups = 0;
    for (auto _ : state) {
        auto model = std::make_unique<CSceneModel>(doc);
        model->Update(SIZE_MAX);
        groups = model->GetGroups().GetBuildCount();
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["groups"] = static_cast<double>(groups);
    state.counters["s per group"] = benchmark::Counter(
        static_cast<double>(groups),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

CMapBrush& BrushInTheMiddle(CTolveDoc& doc) {
    const BrushList& brushes = doc.GetWorldBrushes();
    return *brushes[brushes.size() / 2];
}

void MoveOneStep(CTolveDoc& doc, CMapBrush& brush, int step) {
    CMapTransaction transaction(doc, "Move");
    transaction.Edits().MoveBrush(brush, IntPoint(step % 2 == 0 ? 8 : -8, 0, 0));
    transaction.Commit();
}

// Each step moves the brush 8 units and back the next; the move itself is
// not timed, what the view does about it is.
void DragSteps(benchmark::State& state, CSceneModel& model, CSceneRenderer* renderer) {
    CTolveDoc& doc = model.GetDocument();
    CMapBrush& brush = BrushInTheMiddle(doc);
    CEditorState& editor = doc.GetEditorState();
    CSelectionSet selected;
    selected.Add(brush, ~uint64_t{0});
    editor.SetSelectionSet(selected);
    model.Update(SIZE_MAX);
    if (renderer) {
        renderer->SyncGroups(model.GetGroups());
        model.TakeEntityBoxesChanged();
        model.TakeSetTintChanged();
        model.TakeHoverTintChanged();
    }
    const uint64_t builtBefore = model.GetGroups().GetBuildCount();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MoveOneStep(doc, brush, step++);
        state.ResumeTiming();
        model.Update(SIZE_MAX);
        if (renderer) {
            renderer->SyncGroups(model.GetGroups());
            if (model.TakeEntityBoxesChanged())
                renderer->SetEntityBoxes(model.GetEntityBoxes());
            if (model.TakeSetTintChanged())
                renderer->SetSetTint(model.GetSetTint());
            if (model.TakeHoverTintChanged())
                renderer->SetHoverTint(model.GetHoverTint());
            FinishDrawing();
        }
    }
    state.counters["groups built per step"] =
        benchmark::Counter(static_cast<double>(model.GetGroups().GetBuildCount() - builtBefore),
                           benchmark::Counter::kAvgIterations);
    if (step % 2 == 1)
        MoveOneStep(doc, brush, step);
    editor.ClearSelectionSet();
}

void BM_SceneDragStep(benchmark::State& state) {
    CSceneModel model(GetGeneratedMap(kMapBrushes));
    DragSteps(state, model, nullptr);
}

void BM_SceneDragStepWithUpload(benchmark::State& state) {
    CTolveDoc& doc = GetGeneratedMap(kMapBrushes);
    DrawnScene& drawn = GetDrawnScene(doc);
    drawn.scene.DrawFrame(BenchViewProjection(CameraAtPlayerStart(doc)), {}); // its context current
    DragSteps(state, drawn.model, &drawn.scene.GetRenderer());
}

} // namespace

BENCHMARK(BM_SceneBuildWholeMap)->Arg(kMapBrushes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneDragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneDragStepWithUpload)->Unit(benchmark::kMicrosecond);
