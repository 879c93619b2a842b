// Loading a compiler's leak trace: 100,000 points, as a long leak through a
// large map gives. Goal: under 100 ms.
#include "map/PointFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string MakeTrace(int points) {
    std::string text;
    text.reserve(static_cast<size_t>(points) * 40);
    for (int i = 0; i < points; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%f %f %f\n", -4096.0 + i * 0.125, 512.0 - i * 0.0625,
                      32.0 + (i % 64));
        text += line;
    }
    return text;
}

void BM_ParsePointFile(benchmark::State& state) {
    const std::string text = MakeTrace(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        PointFile file;
        if (ParsePointFile(text, file) || file.points.size() != static_cast<size_t>(state.range(0)))
            state.SkipWithError("the trace did not read as expected");
        benchmark::DoNotOptimize(file.points.data());
    }
}
BENCHMARK(BM_ParsePointFile)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
