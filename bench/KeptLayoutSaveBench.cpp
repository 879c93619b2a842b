// Saving a large map after one brush changed: with the file's layout kept,
// every other brush is copied from the text read; without, every brush is
// written anew.

#include "bench/ReadGeneratedMap.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

CMapBrush& SomeBrush(CTolveDoc& doc) {
    if (!doc.GetWorldBrushes().empty())
        return *doc.GetWorldBrushes().front();
    return *doc.GetModelEntities().front()->m_brushes.front();
}

void BM_SaveWithOneBrushChanged(benchmark::State& state) {
    const int brushes = static_cast<int>(state.range(0));
    CTolveDoc doc;
    ReadGeneratedMap(doc, brushes);
    doc.m_keepLayout = state.range(1) != 0;
    const std::string path = "/tmp/tolve_bench_kept_layout_" + std::to_string(brushes) + "_" +
                             std::to_string(::getpid()) + ".map";
    CMapBrush& brush = SomeBrush(doc);
    int32_t step = 8;
    bool failed = false;
    for (auto _ : state) {
        state.PauseTiming();
        {
            CMapTransaction transaction(doc, "Nudge");
            transaction.Edits().MoveBrush(brush, {step, 0, 0});
            transaction.Commit();
        }
        step = -step;
        state.ResumeTiming();
        if (doc.WriteMapFile(path)) {
            failed = true;
            break;
        }
    }
    std::filesystem::remove(path);
    state.counters["brushes"] = brushes;
    if (failed)
        state.SkipWithError("the map file could not be written");
    else if (doc.m_keepLayout && !doc.GetWholeSaveReason().empty())
        state.SkipWithError("the save wrote the whole map anew");
}

} // namespace

BENCHMARK(BM_SaveWithOneBrushChanged)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->ArgNames({"brushes", "keepLayout"})
    ->Unit(benchmark::kMillisecond);
