// Speed of edits of a whole large map as one selection: Select All, then a
// nudge, a quarter turn, Duplicate or Delete of every brush, as one step of
// the history. Each is taken back, untimed, before the next run. "Core" is the
// map alone, no view told; "Views" adds a view with its scroll bars told of
// the change and drawn again, as the user sees it.
#include "bench/LargeMapView.h"
#include "map/CMapTransaction.h"
#include "map/SelectionSetEdits.h"
#include "view/CommandTarget.h"
#include "widgets/CViewPane.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

enum class SetEdit { kNudge, kTurn, kDuplicate, kDelete };

void SelectAllAndEdit(CTolveDoc& doc, const CViewProjection& projection, SetEdit edit) {
    CEditorState& editor = doc.GetEditorState();
    const CSelectionSet all = ObjectsInsideLimits(doc);
    editor.SetSelectionSet(all);
    CMapTransaction transaction(doc, "Edit");
    CMapEdits& edits = transaction.Edits();
    switch (edit) {
    case SetEdit::kNudge:
        MoveObjects(edits, all, kBrushMode, IntPoint(8, 0, 0));
        break;
    case SetEdit::kTurn: {
        const IntPoint centre = TurnCentreOf(*BoundsOfSet(all, kBrushMode), 8);
        TurnObjects(edits, all, kBrushMode, TurnInView(projection, ScreenTurn::kClockwise, centre));
        break;
    }
    case SetEdit::kDuplicate:
        editor.SetSelectionSet(DuplicateObjects(edits, doc, all, kBrushMode, IntPoint(8, 8, 0)));
        break;
    case SetEdit::kDelete:
        DeleteObjects(edits, doc, all, kBrushMode);
        break;
    }
    transaction.Commit();
}

void TakeBack(CTolveDoc& doc) {
    doc.GetHistory().Undo(doc);
    doc.GetEditorState().ClearSelectionSet();
}

void BM_SetEditCore(benchmark::State& state, SetEdit edit) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    doc.RemoveView(map.view.get());
    doc.GetEditorState().SetEditMode(kBrushMode);
    for (auto _ : state) {
        SelectAllAndEdit(doc, map.view->m_projection, edit);
        state.PauseTiming();
        TakeBack(doc);
        state.ResumeTiming();
    }
    doc.GetEditorState().SetEditMode(kCornerMode);
    doc.AddView(map.view.get());
    map.view->InvalidateAll();
    map.view->RenderNow();
}

// What the user waits for once the edit is done: the events that follow the
// change and the view drawn again.
void BM_SetEditViews(benchmark::State& state, SetEdit edit) {
    LargeMapView& map = GetLargeMapView(static_cast<int>(state.range(0)));
    CTolveDoc& doc = *map.doc;
    CTolveView& view = *map.view;
    CViewPane pane(&view);
    doc.GetEditorState().SetEditMode(kBrushMode);
    for (auto _ : state) {
        state.PauseTiming();
        SelectAllAndEdit(doc, view.m_projection, edit);
        state.ResumeTiming();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.RenderNow().constBits());
        state.PauseTiming();
        TakeBack(doc);
        QCoreApplication::processEvents();
        view.RenderNow();
        state.ResumeTiming();
    }
    doc.GetEditorState().SetEditMode(kCornerMode);
    view.setParent(nullptr); // the map's view outlives the pane
}

} // namespace

BENCHMARK_CAPTURE(BM_SetEditCore, Nudge, SetEdit::kNudge)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditCore, Turn, SetEdit::kTurn)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditCore, Duplicate, SetEdit::kDuplicate)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditCore, Delete, SetEdit::kDelete)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditViews, Nudge, SetEdit::kNudge)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditViews, Turn, SetEdit::kTurn)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditViews, Duplicate, SetEdit::kDuplicate)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetEditViews, Delete, SetEdit::kDelete)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
