// Undo and redo on the 100,000-brush generated map: of a drag of one brush,
// with and without the view's repaint, and of the Delete of one brush; the
// memory a history of brush drags holds; and Copy and Paste of one brush as
// map text through the clipboard.
#include "app/ClipboardTransfer.h"
#include "app/DeleteCommands.h"
#include "bench/LargeMapView.h"
#include "map/CMapTransaction.h"

#include <QClipboard>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <malloc.h>
#include <memory>

namespace {

constexpr int kBrushes = 100000;
constexpr int kDragSnapSteps = 4;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Bytes the allocator has handed out and not had back.
double HeapInUse() {
    return static_cast<double>(mallinfo2().uordblks);
}

// The shared map with its middle world brush selected in brush mode. Going,
// it undoes everything its history kept, so that the next benchmark finds the
// map as it was read.
class CEditedMap {
public:
    CEditedMap() : m_map(GetLargeMapView(kBrushes)), m_doc(*m_map.doc) {
        m_doc.GetEditorState().SetEditMode(kBrushMode);
        m_doc.GetEditorState().SetSelectedEntity(nullptr);
        m_doc.GetEditorState().SetSelectedBrush(
            m_doc.GetWorldBrushes()[m_doc.GetWorldBrushes().size() / 2].get());
    }
    ~CEditedMap() {
        while (History().CanUndo())
            History().Undo(m_doc);
        History().Clear();
        m_doc.GetEditorState().SetSelectedBrush(nullptr);
        m_doc.GetEditorState().SetEditMode(kCornerMode);
    }
    CEditedMap(const CEditedMap&) = delete;
    CEditedMap& operator=(const CEditedMap&) = delete;

    CTolveDoc& Doc() { return m_doc; }
    CTolveView& View() { return *m_map.view; }
    CMapHistory& History() { return m_doc.GetHistory(); }
    void Undo() { History().Undo(m_doc); }
    void Redo() { History().Redo(m_doc); }

    // A press, `steps` mouse moves of one pixel, one snap step each, to the
    // right (to the left when negative) and the release. False when the
    // selected brush did not go as far.
    bool Drag(int steps) {
        const ScreenPoint press{800, 500};
        CTolveView& view = View();
        const int32_t startX = m_doc.GetEditorState().GetSelectedBrush()->m_vertices[0].x;
        view.OnLButtonDown(press);
        for (int step = 1; step <= std::abs(steps); ++step)
            view.OnMouseMove(false, {press.x + (steps > 0 ? step : -step), press.y});
        view.OnLButtonUp();
        return m_doc.GetEditorState().GetSelectedBrush()->m_vertices[0].x - startX ==
               steps * m_doc.GetEditorState().GetSnap();
    }

private:
    LargeMapView& m_map;
    CTolveDoc& m_doc;
};

// Times the undo, or the redo, of the history's last step; the other puts it
// back untimed.
void TimeUndoOrRedo(benchmark::State& state, CEditedMap& map, bool undo) {
    if (!map.History().CanUndo()) {
        state.SkipWithError("the edit made no step");
        return;
    }
    for (auto _ : state) {
        if (!undo)
            map.Undo();
        const Clock::time_point start = Clock::now();
        undo ? map.Undo() : map.Redo();
        state.SetIterationTime(SecondsSince(start));
        if (undo)
            map.Redo();
    }
}

void BM_BrushDragStep(benchmark::State& state, bool undo) {
    CEditedMap map;
    if (!map.Drag(kDragSnapSteps))
        state.SkipWithError("the drag did not move the brush");
    TimeUndoOrRedo(state, map, undo);
}

// The undo of a drag with the view's picture brought up to date, as the next
// paint of the window would find it; `whole` repaints all of it afterwards, as
// every undo did while its notice asked the views for everything. The redo and
// its repaint are untimed.
void BM_BrushDragUndoRepainted(benchmark::State& state, bool whole) {
    CEditedMap map;
    if (!map.Drag(kDragSnapSteps))
        state.SkipWithError("the drag did not move the brush");
    CTolveView& view = map.View();
    view.RenderNow();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        map.Undo();
        if (whole)
            view.InvalidateAll();
        benchmark::DoNotOptimize(view.RenderNow().constBits());
        state.SetIterationTime(SecondsSince(start));
        map.Redo();
        view.RenderNow();
    }
}

void BM_BrushDeleteStep(benchmark::State& state, bool undo) {
    CEditedMap map;
    DeleteSelection(CommandContext{.view = &map.View()});
    TimeUndoOrRedo(state, map, undo);
}

// The heap a history of drags of one brush to and fro holds; the time is that
// of the drags.
void BM_BrushDragHistoryMemory(benchmark::State& state) {
    const int steps = static_cast<int>(state.range(0));
    CEditedMap map;
    const double before = HeapInUse();
    for (auto _ : state) {
        for (int drag = 0; drag < steps; ++drag) {
            if (!map.Drag(drag % 2 ? -kDragSnapSteps : kDragSnapSteps))
                state.SkipWithError("a drag did not move the brush");
        }
    }
    const double grown = HeapInUse() - before;
    if (map.History().GetStepCount() != static_cast<size_t>(steps))
        state.SkipWithError("a drag made no step");
    state.counters["heap_bytes"] = grown;
    state.counters["heap_bytes_per_step"] = grown / steps;
    state.counters["brush_object_bytes"] = sizeof(CMapBrush);
}

// What Copy does with a world brush selected in brush mode.
void BM_CopyBrush(benchmark::State& state) {
    CEditedMap map;
    const CommandContext context{.view = &map.View()};
    QGuiApplication::clipboard()->clear();
    for (auto _ : state)
        CopySelection(context);
    const qsizetype copied = QGuiApplication::clipboard()->text().size();
    if (copied == 0)
        state.SkipWithError("nothing reached the clipboard");
    state.counters["text_bytes"] = static_cast<double>(copied);
}

// What Paste does with that brush's text on the clipboard. The pasted brush,
// last of the world's, is taken out again untimed.
void BM_PasteBrush(benchmark::State& state) {
    CEditedMap map;
    CTolveDoc& doc = map.Doc();
    const CommandContext context{.view = &map.View()};
    CopySelection(context);
    const size_t loaded = doc.GetWorldBrushes().size();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        PasteClipboard(context);
        state.SetIterationTime(SecondsSince(start));
        if (doc.GetWorldBrushes().size() != loaded + 1) {
            state.SkipWithError("the paste added no brush");
            break;
        }
        map.Undo();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_BrushDragStep, undo, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BrushDragStep, redo, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BrushDragUndoRepainted, area, false)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BrushDragUndoRepainted, whole, true)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BrushDeleteStep, undo, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BrushDeleteStep, redo, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrushDragHistoryMemory)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBrush)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasteBrush)->UseManualTime()->Unit(benchmark::kMicrosecond);
