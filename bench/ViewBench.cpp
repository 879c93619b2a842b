// Speed of the map view on a large generated map: a full repaint, one of a
// view zoomed in on a part, an edit's area repaint, the redraw of one brush
// for a hint, one hover-selection update, one drag step and the deletion of
// one brush.
#include "bench/BrushDeletion.h"
#include "bench/LargeMapView.h"
#include "map/CTolveDoc.h"
#include "view/CMapPainter.h"
#include "view/CMapSelection.h"
#include "widgets/CQtCanvas.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

void BM_FullRepaint(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        map.view->InvalidateAll();
        benchmark::DoNotOptimize(map.view->RenderNow().constBits());
    }
}

// The same with the grid behind the map, at the default snap step.
void BM_FullRepaintWithGrid(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    map.view->ShowGrid(true);
    for (auto _ : state) {
        map.view->InvalidateAll();
        benchmark::DoNotOptimize(map.view->RenderNow().constBits());
    }
    map.view->ShowGrid(false);
}

// The drawing code alone, into a canvas that draws nothing.
class CNullCanvas : public CCanvas {
public:
    void DrawLine(int32_t, int32_t, int32_t, int32_t, Rgb) override { ++m_calls; }
    void DrawRectangle(int32_t, int32_t, int32_t, int32_t, Rgb) override { ++m_calls; }
    void DrawEllipse(int32_t, int32_t, int32_t, int32_t, Rgb, Rgb) override { ++m_calls; }
    void DrawText(int32_t, int32_t, const char*) override { ++m_calls; }
    int64_t m_calls = 0;
};

void BM_PaintWithoutPixels(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CNullCanvas canvas;
    for (auto _ : state)
        CMapPainter(*map.doc, map.view->m_projection, canvas).PaintAll(1600, 1000);
    state.counters["primitives"] = static_cast<double>(canvas.m_calls) / state.iterations();
}

// Zoomed in four times about the same centre: the view shows a sixteenth of
// what the full repaint shows, and the rest is passed over.
void BM_RepaintSixteenthOfTheMap(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    const CViewProjection whole = map.view->m_projection;
    map.view->m_projection.ZoomIn(1600, 1000);
    map.view->m_projection.ZoomIn(1600, 1000);
    for (auto _ : state) {
        map.view->InvalidateAll();
        benchmark::DoNotOptimize(map.view->RenderNow().constBits());
    }
    map.view->m_projection = whole;
}

// What an edit's area repaint costs besides drawing: a brush-sized rectangle
// in the middle of the view, every object of the map tested against it.
void BM_AreaRepaintCull(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CNullCanvas canvas;
    for (auto _ : state)
        CMapPainter(*map.doc, map.view->m_projection, canvas)
            .PaintArea({780, 480, 820, 520}, 1600, 1000);
    state.counters["primitives"] = static_cast<double>(canvas.m_calls) / state.iterations();
}

// A leak trace of 100,000 points: a path wandering across the map in steps
// of up to 64 units, as a compiler's runs through the map's leaves.
PointFile MakeWanderingTrace() {
    PointFile trace;
    Vec3d at{0, 0, 16};
    uint32_t seed = 12345;
    auto step = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<double>(seed >> 25) - 64.0; // -64 ... 63
    };
    for (int i = 0; i < 100000; ++i) {
        at.x = std::clamp(at.x + step(), -12000.0, 12000.0);
        at.y = std::clamp(at.y + step(), -12000.0, 12000.0);
        trace.points.push_back(at);
    }
    return trace;
}

// An area repaint into the view's picture, clipped to the area as the view
// clips it, without and with that trace loaded: the trace's legs off the area
// are passed over as objects are.
void BM_AreaRepaint(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(100000);
    if (state.range(0))
        map.doc->m_pointFile = MakeWanderingTrace();
    QImage image(1600, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setClipRect(780, 480, 41, 41);
        CQtCanvas canvas(painter);
        CMapPainter(*map.doc, map.view->m_projection, canvas)
            .PaintArea({780, 480, 820, 520}, 1600, 1000);
    }
    map.doc->m_pointFile.reset();
}

void BM_HintBrushRedraw(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    doc.GetEditorState().SetSelectedEntity(nullptr);
    doc.GetEditorState().SetSelectedBrush(
        doc.GetWorldBrushes()[doc.GetWorldBrushes().size() / 2].get());
    CMapBrush* old = doc.GetWorldBrushes()[doc.GetWorldBrushes().size() / 3].get();
    map.view->RenderNow();
    for (auto _ : state)
        doc.UpdateAllViews(MapNotice::BrushSelection(old));
}

void BM_UpdateSelection(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    map.view->RenderNow();
    int step = 0;
    for (auto _ : state) {
        // Sweep across the view so that the selection really changes.
        const int32_t x = 100 + (step * 37) % 1400, y = 100 + (step * 53) % 800;
        map.view->OnMouseMove(false, {x, y});
        ++step;
    }
}

// The search alone, with no view to redraw what changed.
void BM_SelectionSearchOnly(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    doc.RemoveView(map.view.get());
    IntPoint cursor;
    int step = 0;
    for (auto _ : state) {
        const int32_t x = 100 + (step * 37) % 1400, y = 100 + (step * 53) % 800;
        CMapSelection(doc, map.view->m_projection, {x, y}, cursor).UpdateSelection(false);
        ++step;
    }
    doc.AddView(map.view.get());
}

void BM_DragStepBrush(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    CTolveView& view = *map.view;
    view.OnMouseMove(false, {800, 500});
    doc.GetEditorState().SetEditMode(kBrushMode);
    view.OnLButtonDown({800, 500});
    int step = 0;
    for (auto _ : state) {
        // Eight pixels at zoom 8 are 64 units, always a new snapped point.
        view.OnMouseMove(false, {800 + 8 * (step % 2 ? 1 : -1), 500});
        ++step;
    }
    view.OnLButtonUp();
    doc.GetEditorState().SetEditMode(kCornerMode);
}

// What Delete does with a world brush selected in brush mode: the brush taken
// out of its list as a step of the history, the selection cleared and a
// repaint requested. The step is undone, untimed, between rounds.
void BM_DeleteBrush(benchmark::State& state) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    map.view->RenderNow();
    const size_t middle = doc.GetWorldBrushes().size() / 2;
    for (auto _ : state) {
        doc.GetEditorState().SetEditMode(kBrushMode);
        doc.GetEditorState().SetSelectedEntity(nullptr);
        doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[middle].get());
        DeleteSelectedBrush(doc);
        state.PauseTiming();
        UndoLastStep(doc);
        state.ResumeTiming();
    }
    doc.GetEditorState().SetEditMode(kCornerMode);
}

} // namespace

BENCHMARK(BM_FullRepaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintWithGrid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWithoutPixels)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintSixteenthOfTheMap)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AreaRepaintCull)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AreaRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HintBrushRedraw)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateSelection)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectionSearchOnly)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepBrush)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteBrush)->Arg(100000)->Unit(benchmark::kMicrosecond);
