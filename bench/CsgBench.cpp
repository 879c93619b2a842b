// Speed of the CSG tools' geometry, which runs while the user waits on one
// key: a box cut out of a row of wall segments, the walls of overlapping rooms
// hollowed together, and the hull of boxes checked against their union.
#include "map/BrushCsg.h"
#include "map/BrushHull.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

PieceFace Face(IntPoint p, IntPoint q, IntPoint r) {
    PieceFace face;
    face.points[0] = p;
    face.points[1] = q;
    face.points[2] = r;
    return face;
}

ConvexPiece Box(IntPoint a, IntPoint b) {
    return {
        Face({a.x, 0, 1}, {a.x, -1, 0}, {a.x, 0, 0}), Face({b.x, 0, 1}, {b.x, 1, 0}, {b.x, 0, 0}),
        Face({0, a.y, 1}, {1, a.y, 0}, {0, a.y, 0}),  Face({0, b.y, 1}, {-1, b.y, 0}, {0, b.y, 0}),
        Face({0, 1, a.z}, {-1, 0, a.z}, {0, 0, a.z}), Face({0, 1, b.z}, {1, 0, b.z}, {0, 0, b.z})};
}

// A cutter across `range(0)` wall segments of 64 units, through their middle.
void BM_SubtractFromWalls(benchmark::State& state) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    std::vector<ConvexPiece> walls;
    for (int32_t i = 0; i < count; ++i)
        walls.push_back(Box({64 * i, 0, 0}, {64 * i + 64, 16, 128}));
    const ConvexPiece cutter = Box({8, -8, 32}, {64 * count - 8, 24, 96});
    for (auto _ : state)
        benchmark::DoNotOptimize(SubtractFromAll(walls, cutter));
}
BENCHMARK(BM_SubtractFromWalls)->Arg(1)->Arg(16)->Unit(benchmark::kMicrosecond);

// `range(0)` rooms in a row, each overlapping the next by half.
void BM_HollowTogether(benchmark::State& state) {
    std::vector<ConvexPiece> rooms;
    for (int32_t i = 0; i < state.range(0); ++i)
        rooms.push_back(Box({128 * i, 0, 0}, {128 * i + 256, 256, 128}));
    for (auto _ : state)
        benchmark::DoNotOptimize(HollowTogether(rooms, 8));
}
BENCHMARK(BM_HollowTogether)->Arg(2)->Arg(8)->Unit(benchmark::kMicrosecond);

// The hull of `range(0)` boxes in a row, and what of it none of them fills.
void BM_MergeCheck(benchmark::State& state) {
    std::vector<CMapBrush> boxes(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int32_t x = 64 * static_cast<int32_t>(i);
        CMapBrush& box = boxes[i];
        box.m_numVertices = 8;
        for (int v = 0; v < 8; ++v)
            box.m_vertices[v] = IntPoint(x + (v & 1 ? 64 : 0), v & 2 ? 64 : 0, v & 4 ? 64 : 0);
    }
    std::vector<const CMapBrush*> brushes;
    for (const CMapBrush& box : boxes)
        brushes.push_back(&box);
    for (auto _ : state) {
        std::optional<ConvexPiece> hull = HullOfBrushes(brushes);
        std::vector<ConvexPiece> extra = {*hull};
        for (size_t i = 0; i < boxes.size(); ++i) {
            const int32_t x = 64 * static_cast<int32_t>(i);
            extra = SubtractFromAll(extra, Box({x, 0, 0}, {x + 64, 64, 64}));
        }
        benchmark::DoNotOptimize(extra);
    }
}
BENCHMARK(BM_MergeCheck)->Arg(2)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
