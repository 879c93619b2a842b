#include "bench/CLargeMapGenerator.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct LoadedMap {
    GeneratedMap map;
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
};

std::unique_ptr<LoadedMap> Load(int brushes, uint64_t seed = CLargeMapGenerator::kDefaultSeed) {
    auto loaded = std::make_unique<LoadedMap>();
    loaded->map = CLargeMapGenerator(seed).GenerateMap(brushes);
    loaded->doc.ReadMapText(loaded->map.text.c_str(), loaded->diagnostics);
    return loaded;
}

// Shared by the tests that only look: generating and reading takes a moment.
const LoadedMap& Map2000() {
    static const std::unique_ptr<LoadedMap> s_map = Load(2000);
    return *s_map;
}

std::string Describe(const GeneratedBrush& expected) {
    switch (expected.shape) {
    case BrushShape::kBox:
        return "box";
    case BrushShape::kWedge:
        return "wedge";
    case BrushShape::kPrism:
        return "prism of " + std::to_string(expected.sides) + " sides";
    case BrushShape::kRotatedSlab:
        return "rotated slab";
    }
    return "?";
}

// Differences between what each brush should be and what it was built into.
std::vector<std::string> ShapeMismatches(const LoadedMap& loaded) {
    std::vector<std::string> mismatches;
    const auto built = BrushesInOrder(loaded.doc);
    for (size_t i = 0; i < built.size() && i < loaded.map.brushes.size(); ++i) {
        const GeneratedBrush& expected = loaded.map.brushes[i];
        if (built[i]->m_numVertices != expected.ExpectedVertices() ||
            built[i]->m_numFaces != expected.ExpectedFaces()) {
            mismatches.push_back("brush " + std::to_string(i) + " (" + Describe(expected) +
                                 "): " + std::to_string(built[i]->m_numVertices) + " vertices, " +
                                 std::to_string(built[i]->m_numFaces) + " faces");
        }
    }
    return mismatches;
}

IntPoint Minus(const IntPoint& a, const IntPoint& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

} // namespace

TEST(CLargeMapGenerator, EveryBrushBuildsWithoutDiagnosticsIntoItsShape) {
    const LoadedMap& loaded = Map2000();
    EXPECT_EQ(loaded.diagnostics.Messages(), std::vector<std::string>{});
    ASSERT_EQ(loaded.map.brushes.size(), 2000u);
    EXPECT_EQ(BrushesInOrder(loaded.doc).size(), 2000u);
    EXPECT_EQ(loaded.doc.GetWorldBrushes().size(), static_cast<size_t>(loaded.map.worldBrushes));
    EXPECT_EQ(loaded.doc.GetModelEntities().size(), static_cast<size_t>(loaded.map.modelEntities));
    EXPECT_EQ(loaded.doc.GetPointEntities().size(), static_cast<size_t>(loaded.map.pointEntities));
    EXPECT_EQ(ShapeMismatches(loaded), std::vector<std::string>{});
}

TEST(CLargeMapGenerator, MixesEveryShapeAndEveryPrismSize) {
    const LoadedMap& loaded = Map2000();
    std::set<BrushShape> shapes;
    std::set<int> prismSides;
    for (const GeneratedBrush& brush : loaded.map.brushes) {
        shapes.insert(brush.shape);
        if (brush.shape == BrushShape::kPrism)
            prismSides.insert(brush.sides);
    }
    EXPECT_EQ(shapes.size(), 4u);
    std::set<int> allSides;
    for (int sides = 3; sides <= 24; ++sides)
        allSides.insert(sides);
    EXPECT_EQ(prismSides, allSides);
}

TEST(CLargeMapGenerator, RotatedSlabsAreTurnedOffTheAxesAndCornersFallBetweenIntegers) {
    const LoadedMap& loaded = Map2000();
    const auto built = BrushesInOrder(loaded.doc);
    int slabs = 0, withReadPlanes = 0;
    for (size_t i = 0; i < built.size() && i < loaded.map.brushes.size(); ++i) {
        if (loaded.map.brushes[i].shape != BrushShape::kRotatedSlab)
            continue;
        ++slabs;
        const CMapBrush& brush = *built[i];
        int slantedFaces = 0;
        for (int f = 0; f < brush.m_numFaces; ++f) {
            const uint8_t* index = brush.m_faces[f].vertexIndex;
            IntPoint a = Minus(brush.m_vertices[index[0]], brush.m_vertices[index[1]]);
            IntPoint b = Minus(brush.m_vertices[index[2]], brush.m_vertices[index[1]]);
            int64_t nx = int64_t{a.y} * b.z - int64_t{a.z} * b.y;
            int64_t ny = int64_t{a.z} * b.x - int64_t{a.x} * b.z;
            slantedFaces += nx != 0 && ny != 0;
        }
        EXPECT_EQ(slantedFaces, 4) << "rotated slab " << i;
        withReadPlanes += brush.m_readPlanes != nullptr;
    }
    ASSERT_GT(slabs, 20);
    // A corner between integers cannot round onto both of its side planes, so
    // every slab keeps some of the planes it was read with.
    EXPECT_EQ(withReadPlanes, slabs);
}

TEST(CLargeMapGenerator, GivesExactlyTheBrushCountAskedFor) {
    for (int brushes : {1, 2, 7, 50, 333}) {
        SCOPED_TRACE(brushes);
        auto loaded = Load(brushes);
        EXPECT_EQ(loaded->map.brushes.size(), static_cast<size_t>(brushes));
        EXPECT_EQ(BrushesInOrder(loaded->doc).size(), static_cast<size_t>(brushes));
        EXPECT_EQ(loaded->doc.GetModelEntities().size(),
                  static_cast<size_t>(loaded->map.modelEntities));
        EXPECT_TRUE(loaded->diagnostics.m_entries.empty());
        EXPECT_EQ(ShapeMismatches(*loaded), std::vector<std::string>{});
    }
}

TEST(CLargeMapGenerator, SameSeedAndCountGiveTheSameBytes) {
    CLargeMapGenerator generator;
    const std::string first = generator.GenerateMap(2000).text;
    EXPECT_EQ(generator.GenerateMap(2000).text, first);
    EXPECT_EQ(first, Map2000().map.text);
    EXPECT_NE(CLargeMapGenerator(42).GenerateMap(2000).text, first);
}

TEST(CLargeMapGenerator, WritesAboutFiveHundredBytesPerBrush) {
    const double perBrush = static_cast<double>(Map2000().map.text.size()) / 2000.0;
    EXPECT_GT(perBrush, 400.0);
    EXPECT_LT(perBrush, 650.0);
}

TEST(CLargeMapGenerator, ReadsLikeALevelWithLinkedEntities) {
    const CTolveDoc& doc = Map2000().doc;
    EXPECT_EQ(doc.m_textureWad.GetFileName(), "gfx/base.wad");
    EXPECT_FALSE(doc.m_worldMessage.empty());

    std::set<std::string> brushClasses, names;
    for (const auto& e : doc.GetModelEntities()) {
        brushClasses.insert(e->m_classname);
        names.insert(e->m_targetname);
    }
    for (const char* wanted : {"func_door", "func_plat", "trigger_multiple", "func_wall",
                               "func_train", "func_button", "trigger_setskill"})
        EXPECT_TRUE(brushClasses.count(wanted)) << wanted;

    int starts = 0, styledLights = 0, turnedMonsters = 0, mangles = 0, corners = 0;
    for (const auto& e : doc.GetPointEntities()) {
        names.insert(e->m_targetname);
        starts += e->m_classname == "info_player_start";
        styledLights += e->m_classname == "light" && e->m_hasLight && e->m_style != 0;
        turnedMonsters += e->m_classname.rfind("monster_", 0) == 0 && e->m_hasAngle;
        mangles += e->m_hasMangle;
        corners += e->m_classname == "path_corner" && !e->m_target.empty();
    }
    EXPECT_EQ(starts, 1);
    EXPECT_GT(styledLights, 0);
    EXPECT_GT(turnedMonsters, 0);
    EXPECT_GT(mangles, 0);
    EXPECT_GT(corners, 0);

    std::vector<std::string> dangling;
    auto check = [&](const std::string& target) {
        if (!target.empty() && !names.count(target))
            dangling.push_back(target);
    };
    for (const auto& e : doc.GetModelEntities())
        check(e->m_target);
    for (const auto& e : doc.GetPointEntities()) {
        check(e->m_target);
        check(e->m_killtarget);
    }
    EXPECT_EQ(dangling, std::vector<std::string>{});
}
