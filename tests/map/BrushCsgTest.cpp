#include "map/CsgEdits.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"
#include "map/TextureProjection.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The box from `a` to `b`, every face `texture`, bevelled by `firstFace`.
std::string BoxLines(IntPoint a, IntPoint b, const std::string& texture,
                     const std::string& firstFace = "") {
    auto n = [](int32_t v) { return std::to_string(v); };
    const std::string rest = " " + texture + " 0 0 0 1 1\n";
    return "{\n" + firstFace + "( " + n(a.x) + " 0 1 ) ( " + n(a.x) + " -1 0 ) ( " + n(a.x) +
           " 0 0 )" + rest + "( " + n(b.x) + " 0 1 ) ( " + n(b.x) + " 1 0 ) ( " + n(b.x) +
           " 0 0 )" + rest + "( 0 " + n(a.y) + " 1 ) ( 1 " + n(a.y) + " 0 ) ( 0 " + n(a.y) +
           " 0 )" + rest + "( 0 " + n(b.y) + " 1 ) ( -1 " + n(b.y) + " 0 ) ( 0 " + n(b.y) + " 0 )" +
           rest + "( 0 1 " + n(a.z) + " ) ( -1 0 " + n(a.z) + " ) ( 0 0 " + n(a.z) + " )" + rest +
           "( 0 1 " + n(b.z) + " ) ( 1 0 " + n(b.z) + " ) ( 0 0 " + n(b.z) + " )" + rest + "}\n";
}

std::string WorldMap(const std::string& brushes, const std::string& rest = "") {
    return "{\n\"classname\" \"worldspawn\"\n" + brushes + "}\n" + rest;
}

double Volume(const IntPoint& a, const IntPoint& b) {
    return double(b.x - a.x) * (b.y - a.y) * (b.z - a.z);
}

double TotalVolume(const std::vector<const CMapBrush*>& brushes) {
    double total = 0.0;
    for (const CMapBrush* brush : brushes)
        total += BrushVolume(*brush);
    return total;
}

bool AnyTwoOverlap(const std::vector<const CMapBrush*>& brushes) {
    for (size_t i = 0; i < brushes.size(); ++i) {
        for (size_t j = i + 1; j < brushes.size(); ++j) {
            if (PiecesOverlap(PieceOfBrush(*brushes[i]), PieceOfBrush(*brushes[j])))
                return true;
        }
    }
    return false;
}

size_t BrushesHolding(const std::vector<const CMapBrush*>& brushes, const Vec3d& point) {
    return static_cast<size_t>(std::count_if(brushes.begin(), brushes.end(), [&](auto* brush) {
        return PieceContains(PieceOfBrush(*brush), point);
    }));
}

// The sorted corners of every brush.
std::vector<std::vector<std::tuple<int, int, int>>> Corners(const CTolveDoc& doc) {
    std::vector<std::vector<std::tuple<int, int, int>>> corners;
    for (const CMapBrush* brush : BrushesInOrder(doc)) {
        auto& list = corners.emplace_back();
        for (int v = 0; v < brush->m_numVertices; ++v)
            list.emplace_back(brush->m_vertices[v].x, brush->m_vertices[v].y,
                              brush->m_vertices[v].z);
        std::sort(list.begin(), list.end());
    }
    return corners;
}

// What a save writes reads back into the very same corners.
void ExpectReadsBack(const CTolveDoc& doc) {
    const std::unique_ptr<ReadMap> again = Read(MapText(doc));
    EXPECT_EQ(Corners(*again->doc), Corners(doc));
}

CSelectionSet SetOf(std::initializer_list<CMapBrush*> brushes) {
    CSelectionSet set;
    for (CMapBrush* brush : brushes)
        set.Add(*brush, CSelectionSet::kWholeBrush);
    return set;
}

struct CutCase {
    const char* name;
    IntPoint cutterMin;
    IntPoint cutterMax;
    size_t pieces;
    const char* bevel = "";
};

class Subtract : public ::testing::TestWithParam<CutCase> {};

constexpr IntPoint kWallMin{0, 0, 0};
constexpr IntPoint kWallMax{256, 16, 128};

// The wall gives way to the fewest pieces that fill what the cutter leaves of
// it, none overlapping another; faces along the cutter take its texture.
TEST_P(Subtract, LeavesTheFewestPiecesOfTheWallOutsideTheCutter) {
    const CutCase& cut = GetParam();
    auto read = Read(WorldMap(BoxLines(kWallMin, kWallMax, "wall") +
                              BoxLines(cut.cutterMin, cut.cutterMax, "cut", cut.bevel)));
    CTolveDoc& doc = *read->doc;
    CMapBrush& wall = *doc.GetWorldBrushes()[0];
    CMapBrush& cutter = *doc.GetWorldBrushes()[1];
    const IntPoint overlapMin{std::max(0, cut.cutterMin.x), std::max(0, cut.cutterMin.y),
                              std::max(0, cut.cutterMin.z)};
    const IntPoint overlapMax{std::min(256, cut.cutterMax.x), std::min(16, cut.cutterMax.y),
                              std::min(128, cut.cutterMax.z)};
    CsgOutcome outcome;
    Edit(doc, [&](CMapEdits& edits) {
        outcome = SubtractBrush(edits, doc, SetOf({&wall, &cutter}), cutter);
    });

    ASSERT_EQ(outcome.refusal, "");
    const std::vector<const CMapBrush*> pieces(outcome.made.begin(), outcome.made.end());
    EXPECT_EQ(pieces.size(), cut.pieces);
    EXPECT_DOUBLE_EQ(TotalVolume(pieces),
                     Volume(kWallMin, kWallMax) - Volume(overlapMin, overlapMax));
    EXPECT_FALSE(AnyTwoOverlap(pieces));
    EXPECT_EQ(doc.GetWorldBrushes().size(), pieces.size() + 1); // the cutter stays
    for (const CMapBrush* piece : pieces) {
        const bool cutFace =
            std::any_of(piece->m_faces, piece->m_faces + piece->m_numFaces,
                        [](const BrushFace& f) { return !std::strcmp(f.texture, "cut"); });
        EXPECT_TRUE(cutFace);
    }
    ExpectReadsBack(doc);
}

INSTANTIATE_TEST_SUITE_P(
    BrushCsg, Subtract,
    ::testing::Values(CutCase{"side", {-16, -8, 32}, {32, 24, 96}, 3},
                      CutCase{"middle", {96, -8, 32}, {160, 24, 96}, 4},
                      CutCase{"corner", {-16, -8, 96}, {32, 24, 144}, 2},
                      // The bevel's outside within the wall lies beyond the
                      // east side: cut first, it would leave a piece more.
                      CutCase{"bevelAboveTheWall",
                              {96, -8, -8},
                              {160, 24, 200},
                              2,
                              "( 192 1 0 ) ( 192 0 0 ) ( 160 0 128 ) cut 0 0 0 1 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Hollowing a box leaves six walls that fill the box outside its inner box.
TEST(BrushCsg, HollowMakesOneWallPerFace) {
    auto read = Read(WorldMap(BoxLines({0, 0, 0}, {128, 96, 64}, "box")));
    CTolveDoc& doc = *read->doc;
    CsgOutcome outcome;
    Edit(doc, [&](CMapEdits& edits) {
        outcome = HollowBrushes(edits, doc, SetOf({doc.GetWorldBrushes()[0].get()}), 8);
    });
    ASSERT_EQ(outcome.refusal, "");
    const std::vector<const CMapBrush*> walls(outcome.made.begin(), outcome.made.end());
    EXPECT_EQ(walls.size(), 6u);
    EXPECT_DOUBLE_EQ(TotalVolume(walls), 128.0 * 96 * 64 - 112.0 * 80 * 48);
    EXPECT_FALSE(AnyTwoOverlap(walls));
    ExpectReadsBack(doc);
}

// Two boxes overlapping in an L: the walls close the one space of both, and
// the space they share is as empty as the rest of the inside.
TEST(BrushCsg, HollowTogetherLeavesTheSharedSpaceEmpty) {
    auto read = Read(WorldMap(BoxLines({0, 0, 0}, {128, 128, 128}, "a") +
                              BoxLines({64, 64, 0}, {192, 192, 128}, "b")));
    CTolveDoc& doc = *read->doc;
    CsgOutcome outcome;
    Edit(doc, [&](CMapEdits& edits) {
        outcome = HollowBrushesTogether(
            edits, doc, SetOf({doc.GetWorldBrushes()[0].get(), doc.GetWorldBrushes()[1].get()}), 8);
    });
    ASSERT_EQ(outcome.refusal, "");
    const std::vector<const CMapBrush*> walls = BrushesInOrder(doc);
    EXPECT_EQ(BrushesHolding(walls, {96, 96, 64}), 0u);
    EXPECT_EQ(BrushesHolding(walls, {4, 32, 64}), 1u);
    EXPECT_EQ(BrushesHolding(walls, {96, 96, 4}), 1u); // the floor under the shared space
    const double outside = (128.0 * 128 * 2 - 64.0 * 64) * 128;
    const double inside = (112.0 * 112 * 2 - 48.0 * 48) * 112;
    EXPECT_DOUBLE_EQ(TotalVolume(walls), outside - inside);
    EXPECT_FALSE(AnyTwoOverlap(walls));
    ExpectReadsBack(doc);
}

// Two halves of a box in a brush entity merge into the box, in that entity,
// each face keeping the texture of the face it lies on.
TEST(BrushCsg, MergeKeepsTheEntityAndTheTexturesOfCoplanarFaces) {
    auto read =
        Read(WorldMap(BoxLines({512, 0, 0}, {576, 64, 64}, "other"),
                      "{\n\"classname\" \"func_wall\"\n" + BoxLines({0, 0, 0}, {64, 64, 64}, "a") +
                          BoxLines({64, 0, 0}, {128, 64, 64}, "b") + "}\n"));
    CTolveDoc& doc = *read->doc;
    CModelEntity& entity = *doc.GetModelEntities()[0];
    CsgOutcome outcome;
    Edit(doc, [&](CMapEdits& edits) {
        outcome =
            MergeBrushes(edits, doc, SetOf({entity.m_brushes[0].get(), entity.m_brushes[1].get()}));
    });
    ASSERT_EQ(outcome.refusal, "");
    ASSERT_EQ(doc.GetModelEntities().size(), 1u);
    ASSERT_EQ(entity.m_brushes.size(), 1u);
    EXPECT_EQ(doc.GetWorldBrushes().size(), 1u);
    const CMapBrush& merged = *entity.m_brushes[0];
    EXPECT_DOUBLE_EQ(BrushVolume(merged), 128.0 * 64 * 64);
    ASSERT_EQ(merged.m_numFaces, 6);
    for (int f = 0; f < merged.m_numFaces; ++f) {
        const Vec3d normal = GetFaceNormal(merged, f);
        const char* expected = normal.x > 0.5 ? "b" : "a";
        EXPECT_STREQ(merged.m_faces[f].texture, expected) << f;
    }
    ExpectReadsBack(doc);
}

// Two boxes touching only at an edge: their hull would fill space neither
// fills, so nothing changes.
TEST(BrushCsg, MergeThatIsNotTheUnionIsRefused) {
    auto read = Read(WorldMap(BoxLines({0, 0, 0}, {64, 64, 64}, "a") +
                              BoxLines({64, 64, 0}, {128, 128, 64}, "b")));
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    CsgOutcome outcome;
    Edit(doc, [&](CMapEdits& edits) {
        outcome = MergeBrushes(
            edits, doc, SetOf({doc.GetWorldBrushes()[0].get(), doc.GetWorldBrushes()[1].get()}));
    });
    EXPECT_NE(outcome.refusal.find("(0 0 0) to (128 128 64)"), std::string::npos)
        << outcome.refusal;
    EXPECT_EQ(MapText(doc), before);
}

} // namespace
