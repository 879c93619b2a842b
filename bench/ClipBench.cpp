// Speed of the clip tool on a large map with every brush selected: the parts
// worked out for the preview, which a view asks for at each repaint, and the
// cut itself keeping both sides, as one step of the history (taken back,
// untimed, before the next run). The plane is slanted on every axis and runs
// through the middle of the map.
#include "bench/ReadGeneratedMap.h"
#include "map/CMapHistory.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/ClipEdits.h"
#include "view/CommandTarget.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CTolveDoc> ReadMap(int brushes, MapFormat format) {
    auto doc = std::make_unique<CTolveDoc>();
    ReadGeneratedMap(*doc, brushes, format);
    doc->GetEditorState().SetEditMode(kBrushMode);
    return doc;
}

ClipRequest SlantedCut(ClipSide side) {
    return {{{{0, 0, 0}, {64, 32, 0}, {0, 16, 64}}}, side, ClipTexture::kCurrent, "clip"};
}

size_t CountCut(const std::vector<ClippedBrush>& clipped) {
    size_t cut = 0;
    for (const ClippedBrush& one : clipped)
        cut += one.result.front || one.result.back;
    return cut;
}

void BM_ClipPreview(benchmark::State& state, MapFormat format) {
    const std::unique_ptr<CTolveDoc> doc = ReadMap(static_cast<int>(state.range(0)), format);
    const CSelectionSet all = ObjectsInsideLimits(*doc);
    size_t cut = 0;
    for (auto _ : state) {
        const std::vector<ClippedBrush> clipped =
            ClipBrushesOfSet(*doc, all, SlantedCut(ClipSide::kFront));
        cut = CountCut(clipped);
        benchmark::DoNotOptimize(clipped.data());
    }
    state.counters["cut"] = static_cast<double>(cut);
}

void BM_ClipKeepBoth(benchmark::State& state, MapFormat format) {
    const std::unique_ptr<CTolveDoc> doc = ReadMap(static_cast<int>(state.range(0)), format);
    const CSelectionSet all = ObjectsInsideLimits(*doc);
    size_t cut = 0;
    for (auto _ : state) {
        const std::vector<ClippedBrush> clipped =
            ClipBrushesOfSet(*doc, all, SlantedCut(ClipSide::kBoth));
        const std::string refusal = DescribeClipRefusal(*doc, clipped);
        if (!refusal.empty()) {
            state.SkipWithError(refusal.c_str());
            break;
        }
        CSelectionSet kept;
        CMapTransaction transaction(*doc, "Clip");
        ApplyClip(transaction.Edits(), *doc, clipped, kept);
        transaction.Commit();
        cut = CountCut(clipped);
        state.PauseTiming();
        doc->GetHistory().Undo(*doc);
        state.ResumeTiming();
    }
    state.counters["cut"] = static_cast<double>(cut);
}

} // namespace

BENCHMARK_CAPTURE(BM_ClipPreview, Standard, MapFormat::kStandard)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClipPreview, Valve, MapFormat::kValve)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClipKeepBoth, Standard, MapFormat::kStandard)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClipKeepBoth, Valve, MapFormat::kValve)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
