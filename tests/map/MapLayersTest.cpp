#include "map/MapLayers.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A LibreQuake map kept in three layers besides the default one, all three
// brushless: "mp-only" and "sp-only" with brush entities and point entities,
// "tmp" empty.
struct LayeredMap {
    std::string text = ReadFileText(TestDataPath("maps/lq_e0m8_standard.map"));
    std::unique_ptr<ReadMap> read = Read(text);
    CTolveDoc& doc = *read->doc;
    std::vector<MapLayer> layers = ReadMapLayers(doc);
};

struct LayerCounts {
    std::string name;
    size_t brushes;
    size_t pointEntities;
};

TEST(MapLayers, ListsEachLayerWithItsMembersAndTheRestInTheDefaultOne) {
    LayeredMap map;
    // As the file's keys give them; the three layer entities belong nowhere.
    const LayerCounts expected[] = {{kDefaultLayerName, 965 + 201, 249},
                                    {"mp-only", 24, 10},
                                    {"sp-only", 89, 8},
                                    {"tmp", 0, 0}};
    ASSERT_EQ(map.layers.size(), std::size(expected));
    for (size_t i = 0; i < map.layers.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(map.layers[i].name, expected[i].name);
        EXPECT_EQ(map.layers[i].members.GetBrushes().size(), expected[i].brushes);
        EXPECT_EQ(map.layers[i].members.GetPointEntities().size(), expected[i].pointEntities);
    }
    EXPECT_EQ(map.layers[1].id, "52");
    EXPECT_TRUE(map.layers[0].id.empty());
}

// Hiding a layer hides exactly its members; the file is saved as it was read.
TEST(MapLayers, HidingALayerHidesExactlyItsMembers) {
    LayeredMap map;
    CEditorState& state = map.doc.GetEditorState();
    const CSelectionSet& members = map.layers[2].members;
    EXPECT_EQ(state.Hide(members), members.CountParts());
    size_t shownBrushes = 0;
    for (const CMapBrush* brush : BrushesInOrder(map.doc)) {
        EXPECT_EQ(state.IsHidden(*brush), members.Contains(*brush));
        shownBrushes += state.IsHidden(*brush) ? 0 : 1;
    }
    for (const auto& entity : map.doc.GetPointEntities())
        EXPECT_EQ(state.IsHidden(*entity), members.Contains(*entity));
    EXPECT_EQ(shownBrushes, BrushesInOrder(map.doc).size() - members.GetBrushes().size());
    CTempDir dir;
    EXPECT_FALSE(map.doc.WriteMapFile(dir.Path("saved.map").string()));
    EXPECT_TRUE(ReadFileText(dir.Path("saved.map")) == map.text);
    EXPECT_EQ(state.Show(members), members.CountParts());
    EXPECT_TRUE(state.GetHidden().IsEmpty());
}

} // namespace
