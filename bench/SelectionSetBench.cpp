// Speed of the selection set on a large generated map: Select All, a
// rectangle over half the map, a drag step of 10,000 selected brushes and a
// full repaint with them drawn in the set's colour.
#include "bench/LargeMapView.h"
#include "map/ObjectBounds.h"
#include "view/CommandTarget.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

// The first `count` world brushes, as a set of brush mode.
CSelectionSet FirstBrushes(const CTolveDoc& doc, size_t count) {
    CSelectionSet set;
    const BrushList& brushes = doc.GetWorldBrushes();
    for (size_t i = 0; i < count && i < brushes.size(); ++i)
        set.Add(*brushes[i], CSelectionSet::kWholeBrush);
    return set;
}

void BM_SelectAll(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CEditorState& editor = map.doc->GetEditorState();
    editor.SetEditMode(kBrushMode);
    for (auto _ : state) {
        editor.SetSelectionSet(ObjectsInsideLimits(*map.doc));
        state.PauseTiming();
        editor.ClearSelectionSet();
        state.ResumeTiming();
    }
    editor.SetEditMode(kCornerMode);
}

// The left half of the map on the screen.
ScreenRect LeftHalfOfTheMap(const LargeMapView& map) {
    std::optional<IntBox> box;
    for (const auto& brush : map.doc->GetWorldBrushes())
        Grow(box, BoundsOf(*brush));
    const ScreenPoint a = map.view->m_projection.WorldToScreen(box->min);
    const ScreenPoint b = map.view->m_projection.WorldToScreen(box->max);
    const int32_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    return {left, std::min(a.y, b.y), left + (right - left) / 2, std::max(a.y, b.y)};
}

void BM_RectangleOverHalfTheMap(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CEditorState& editor = map.doc->GetEditorState();
    editor.SetEditMode(kBrushMode);
    const ScreenRect half = LeftHalfOfTheMap(map);
    size_t gathered = 0;
    for (auto _ : state) {
        CSelectionSet set = editor.GetSelectionSet();
        set.Merge(ObjectsInRectangle(*map.doc, map.view->m_projection, half));
        gathered = set.CountParts();
        editor.SetSelectionSet(std::move(set));
        state.PauseTiming();
        editor.ClearSelectionSet();
        state.ResumeTiming();
    }
    state.counters["brushes"] = static_cast<double>(gathered);
    editor.SetEditMode(kCornerMode);
}

// One step of a drag that moves 10,000 selected brushes, the views told of
// every one; the whole drag is taken back afterwards.
void BM_DragStepOfTheSet(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    CTolveView& view = *map.view;
    CEditorState& editor = doc.GetEditorState();
    editor.SetEditMode(kBrushMode);
    editor.SetSelectionSet(FirstBrushes(doc, 10000));
    editor.SetHover({nullptr, doc.GetWorldBrushes()[0].get(), 0, 0, nullptr});
    view.OnLButtonDown({800, 500});
    int step = 0;
    for (auto _ : state) {
        // Eight pixels at zoom 8 are 64 units, always a new snapped point.
        view.OnMouseMove(false, {800 + 8 * (step % 2 ? 1 : -1), 500});
        ++step;
    }
    view.CancelDrag();
    editor.ClearSelectionSet();
    editor.SetEditMode(kCornerMode);
}

void BM_FullRepaintWithASet(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CEditorState& editor = map.doc->GetEditorState();
    editor.SetEditMode(kBrushMode);
    editor.SetSelectionSet(FirstBrushes(*map.doc, 10000));
    for (auto _ : state) {
        map.view->InvalidateAll();
        benchmark::DoNotOptimize(map.view->RenderNow().constBits());
    }
    editor.ClearSelectionSet();
    editor.SetEditMode(kCornerMode);
}

} // namespace

BENCHMARK(BM_SelectAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RectangleOverHalfTheMap)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepOfTheSet)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintWithASet)->Arg(100000)->Unit(benchmark::kMillisecond);
