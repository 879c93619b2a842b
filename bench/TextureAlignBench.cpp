// Speed of the texture alignment commands on every face of a large map at
// once: Select All in brush mode, then a shift, a rotation or a paste of one
// face's texture (wrapped round shared edges in the Valve form), as one step
// of the history. Each is taken back, untimed, before the next run.
#include "bench/ReadGeneratedMap.h"
#include "map/CMapHistory.h"
#include "map/CTolveDoc.h"
#include "map/TextureAlignEdits.h"
#include "view/CommandTarget.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

enum class Alignment { kShift, kRotate, kPaste };

std::unique_ptr<CTolveDoc> ReadMap(int brushes, MapFormat format) {
    auto doc = std::make_unique<CTolveDoc>();
    ReadGeneratedMap(*doc, brushes, format);
    doc->GetEditorState().SetEditMode(kBrushMode);
    return doc;
}

void BM_AlignEveryFace(benchmark::State& state, Alignment alignment, MapFormat format) {
    const std::unique_ptr<CTolveDoc> doc = ReadMap(static_cast<int>(state.range(0)), format);
    const std::vector<FaceOfBrush> faces =
        ListTexturedFaces(*doc, ObjectsInsideLimits(*doc), kBrushMode);
    const FaceAlignment source = ReadFaceAlignment(*faces[0].brush, faces[0].face, format);
    const FaceAligner align = [&](FaceAlignment& face) -> std::optional<std::string> {
        switch (alignment) {
        case Alignment::kShift:
            ShiftTexture(face, 8, 0);
            break;
        case Alignment::kRotate:
            RotateTexture(face, 15);
            break;
        case Alignment::kPaste:
            PasteTexture(face, source);
            break;
        }
        return std::nullopt;
    };
    for (auto _ : state) {
        const std::optional<std::string> refusal = AlignFaces(*doc, faces, "Align", align);
        if (refusal)
            state.SkipWithError(refusal->c_str());
        state.PauseTiming();
        doc->GetHistory().Undo(*doc);
        state.ResumeTiming();
    }
    state.counters["faces"] = static_cast<double>(faces.size());
}

} // namespace

BENCHMARK_CAPTURE(BM_AlignEveryFace, Shift, Alignment::kShift, MapFormat::kStandard)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AlignEveryFace, Rotate, Alignment::kRotate, MapFormat::kStandard)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AlignEveryFace, ValveRotate, Alignment::kRotate, MapFormat::kValve)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AlignEveryFace, ValvePaste, Alignment::kPaste, MapFormat::kValve)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
