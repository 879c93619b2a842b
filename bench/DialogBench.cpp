// How long the entity dialogs take to open with the full class lists: what
// a user waits for after New Entity or Edit.
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CModelEntityVariablesDlg.h"
#include "dialogs/CWorldspawnDlg.h"
#include "entity/EntityClassNames.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_OpenEntityVariables(benchmark::State& state) {
    const std::vector<std::string> names = GetPointClassNames();
    for (auto _ : state) {
        CEntityVariablesDlg dialog(names);
        dialog.SetFields(CPointEntityFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

void BM_OpenModelEntityVariables(benchmark::State& state) {
    const std::vector<std::string> names = GetBrushClassNames();
    for (auto _ : state) {
        CModelEntityVariablesDlg dialog(names);
        dialog.SetFields(CModelEntityFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

void BM_OpenWorldspawn(benchmark::State& state) {
    for (auto _ : state) {
        CWorldspawnDlg dialog;
        dialog.SetFields(CWorldFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

} // namespace

BENCHMARK(BM_OpenEntityVariables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenModelEntityVariables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWorldspawn)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
