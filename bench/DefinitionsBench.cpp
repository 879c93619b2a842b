// Speed of reading a mod's entity definitions: an FGD of 300 classes, each
// built on base classes, with a size, a colour, eight keys, a choices key and
// eight flags, the size of a large mod's file. Goal: under 20 ms.
#include "bench/LargeFgd.h"
#include "entity/EntityDefinitions.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_DefinitionsReadFgd(benchmark::State& state) {
    const std::string text = MakeLargeFgd();
    for (auto _ : state) {
        CEntityDefinitions definitions;
        definitions.ReadFgd(text, "bench.fgd");
        if (definitions.GetClasses().size() != kLargeFgdClasses ||
            !definitions.GetProblems().empty())
            state.SkipWithError("the generated file did not read as expected");
        benchmark::DoNotOptimize(definitions);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_DefinitionsReadFgd)->Unit(benchmark::kMillisecond);

} // namespace
