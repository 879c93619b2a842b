// Speed of the face inspector's gathering when the selection changes: the
// faces of the selected brushes listed in map order and their shared values
// found, for 10,000 faces of a large map in either form.
#include "bench/ReadGeneratedMap.h"
#include "map/CTolveDoc.h"
#include "map/FaceFieldEdits.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Whole brushes from the start of the world's list, until they hold `faces`
// faces.
CSelectionSet BrushesHoldingFaces(const CTolveDoc& doc, size_t faces) {
    CSelectionSet set;
    size_t held = 0;
    for (const auto& brush : doc.GetWorldBrushes()) {
        if (held >= faces)
            break;
        set.Add(*brush, CSelectionSet::kWholeBrush);
        held += brush->m_numFaces;
    }
    return set;
}

void BM_GatherFaceFields(benchmark::State& state, MapFormat format) {
    auto doc = std::make_unique<CTolveDoc>();
    ReadGeneratedMap(*doc, static_cast<int>(state.range(0)), format);
    const CSelectionSet set = BrushesHoldingFaces(*doc, static_cast<size_t>(state.range(1)));
    size_t faces = 0;
    for (auto _ : state) {
        const std::vector<FaceOfBrush> listed = ListTexturedFaces(*doc, set, kBrushMode);
        const GatheredFaceFields gathered = GatherFaceFields(listed);
        benchmark::DoNotOptimize(gathered);
        faces = gathered.faceCount;
    }
    state.counters["faces"] = static_cast<double>(faces);
}

} // namespace

BENCHMARK_CAPTURE(BM_GatherFaceFields, Standard, MapFormat::kStandard)
    ->Args({100000, 10000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GatherFaceFields, Valve, MapFormat::kValve)
    ->Args({100000, 10000})
    ->Unit(benchmark::kMillisecond);
