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

// Files made to cost their readers the square of their length: a chain of N
// base classes, each adding a key, then a class of N keys of its own; N
// QUAKED comments left open. Goal: time in proportion to N.
std::string MakeChainAndWideClass(int count) {
    std::string text = "@BaseClass = b0 [ k0(string) ]\n";
    for (int i = 1; i < count; ++i)
        text += "@BaseClass base(b" + std::to_string(i - 1) + ") = b" + std::to_string(i) + " [ k" +
                std::to_string(i) + "(string) ]\n";
    text += "@PointClass base(b" + std::to_string(count - 1) + ") = wide [\n";
    for (int i = 0; i < count; ++i)
        text += " own" + std::to_string(i) + "(integer) : \"Own\" : 0\n";
    return text + "]\n";
}

std::string MakeOpenQuakedComments(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "/*QUAKED open" + std::to_string(i) + " (1 0 0) (-8 -8 -8) (8 8 8)\nOpen.\n";
    return text;
}

template <bool kFgd> void BM_DefinitionsHostile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string text = kFgd ? MakeChainAndWideClass(count) : MakeOpenQuakedComments(count);
    for (auto _ : state) {
        CEntityDefinitions definitions;
        if (kFgd)
            definitions.ReadFgd(text, "hostile.fgd");
        else
            definitions.ReadQuaked(text, "hostile.def");
        benchmark::DoNotOptimize(definitions);
    }
    state.SetComplexityN(count);
}
BENCHMARK_TEMPLATE(BM_DefinitionsHostile, true)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_DefinitionsHostile, false)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace
