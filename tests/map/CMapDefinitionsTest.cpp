#include "map/CMapDefinitions.h"
#include "map/CWorldKeys.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kMonsters =
    R"(@PointClass size(-16 -16 -24, 16 16 40) color(220 0 0) = monster_a : "A" []
@PointClass size(-32 -32 -24, 32 32 64) = monster_b : "B" []
@SolidClass = worldspawn : "World" []
@SolidClass = func_x : "X" []
)";

CWorldKeys WorldWith(std::initializer_list<CustomPair> pairs) {
    CWorldKeys world;
    world.m_worldOtherPairs = pairs;
    return world;
}

} // namespace

TEST(MapDefinitionKeys, TheMapsOwnKeyElseAnotherEditorsExternalFile) {
    EXPECT_TRUE(GetDefinitionEntries(CWorldKeys()).empty());
    EXPECT_TRUE(GetDefinitionEntries(WorldWith({{"_tb_def", "builtin:Quake.fgd"}})).empty());
    EXPECT_EQ(GetDefinitionEntries(WorldWith({{"_tb_def", "external:C:/ad/ad.fgd"}})),
              std::vector<std::string>{"C:/ad/ad.fgd"});
    const CWorldKeys both =
        WorldWith({{"_tb_def", "external:other.fgd"}, {kDefinitionsKey, "a.fgd; defs/b.def"}});
    EXPECT_EQ(GetDefinitionEntries(both), (std::vector<std::string>{"a.fgd", "defs/b.def"}));
    EXPECT_EQ(GetDefinitionsValue(both), "a.fgd; defs/b.def");

    CWorldKeys world = WorldWith({{"_tb_def", "external:other.fgd"}, {"_sunlight", "100"}});
    SetDefinitionsValue(world, "mine.fgd");
    SetDefinitionsValue(world, "mine.fgd;more.def");
    ASSERT_EQ(world.m_worldOtherPairs.size(), 3u);
    EXPECT_EQ(world.m_worldOtherPairs[2].value, "mine.fgd;more.def");
    SetDefinitionsValue(world, "");
    EXPECT_EQ(world.m_worldOtherPairs.size(), 2u); // another editor's key stays
    EXPECT_EQ(GetDefinitionEntries(world), std::vector<std::string>{"other.fgd"});
}

// Files are found beside the map or in a definition folder by their names,
// read once, and read again when the list or the folders change.
TEST(CMapDefinitions, ReadsWhatTheKeysNameAndAgainWhenTheyChange) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("map"));
    std::filesystem::create_directories(dir.Path("mods"));
    WriteFileText(dir.Path("map/local.fgd"), kMonsters);
    WriteFileText(dir.Path("mods/far.def"),
                  "/*QUAKED monster_c (1 0 0) (-8 -8 -8) (8 8 8) X\n*/\n");
    const std::string mapFolder = dir.Path("map").string();
    CMapDefinitions definitions;
    CWorldKeys world = WorldWith({{kDefinitionsKey, "local.fgd;C:\\q\\far.def;gone.fgd"}});

    const CEntityDefinitions* read = definitions.Get(world, mapFolder);
    ASSERT_NE(read, nullptr);
    EXPECT_NE(read->Find("monster_a"), nullptr);
    EXPECT_EQ(read->Find("monster_c"), nullptr);
    ASSERT_EQ(definitions.GetProblems().size(), 2u);
    EXPECT_NE(definitions.GetProblems()[0].find("far.def"), std::string::npos);
    EXPECT_EQ(definitions.Get(world, mapFolder), read) << "nothing changed: not read again";

    definitions.SetFolders({dir.Path("mods").string()});
    read = definitions.Get(world, mapFolder);
    ASSERT_NE(read, nullptr);
    EXPECT_NE(read->Find("monster_c"), nullptr);
    EXPECT_EQ(definitions.GetProblems().size(), 1u);
    EXPECT_EQ(DescribeDefinitionEntry("C:\\q\\far.def", {mapFolder, {dir.Path("mods").string()}}),
              dir.Path("mods/far.def").string() + " (by its file name, in a definition folder)");
    EXPECT_EQ(DescribeDefinitionEntry("gone.fgd", {mapFolder, {}}), "missing");

    SetDefinitionsValue(world, "");
    EXPECT_EQ(definitions.Get(world, mapFolder), nullptr);
    EXPECT_TRUE(definitions.GetProblems().empty());
}

TEST(CMapDefinitions, CountsTheProblemsItDoesNotList) {
    CTempDir dir;
    WriteFileText(dir.Path("junk.fgd"), std::string(CDefinitionProblems::kMaxListed + 5, '@'));
    CMapDefinitions definitions;
    definitions.Get(WorldWith({{kDefinitionsKey, "junk.fgd"}}), dir.Root().string());
    EXPECT_EQ(definitions.GetProblems().size(), CDefinitionProblems::kMaxListed);
    EXPECT_EQ(definitions.GetProblemCount(), CDefinitionProblems::kMaxListed + 5);
}

TEST(CMapDefinitions, OfferedNamesAndTheReachOfTheLargestBox) {
    const std::vector<std::string> builtIn = {"light"};
    EXPECT_EQ(OfferedClassNames(nullptr, EntityClassKind::kPoint, builtIn), builtIn);
    EXPECT_EQ(LargestPointClassReach(nullptr), 0);
    CEntityDefinitions definitions;
    definitions.ReadFgd(kMonsters, "test.fgd");
    EXPECT_EQ(OfferedClassNames(&definitions, EntityClassKind::kPoint, builtIn),
              (std::vector<std::string>{"monster_a", "monster_b"}));
    EXPECT_EQ(OfferedClassNames(&definitions, EntityClassKind::kBrush, builtIn),
              std::vector<std::string>{"func_x"});
    EXPECT_EQ(LargestPointClassReach(&definitions), 64);
}

// Saved elsewhere, the map still finds its files: an entry found beside it is
// rewritten to reach it from the new place, the others stay as written.
TEST(CMapDefinitions, EntriesFollowAMapSavedInAnotherFolder) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("map/defs"));
    std::filesystem::create_directories(dir.Path("away"));
    WriteFileText(dir.Path("map/defs/local.fgd"), kMonsters);
    CWorldKeys world = WorldWith({{kDefinitionsKey, "defs/local.fgd; C:\\q\\far.def"}});
    MoveDefinitionEntries(world, dir.Path("map").string(), dir.Path("map").string());
    EXPECT_EQ(GetDefinitionsValue(world), "defs/local.fgd; C:\\q\\far.def");
    MoveDefinitionEntries(world, dir.Path("map").string(), dir.Path("away").string());
    EXPECT_EQ(GetDefinitionsValue(world),
              dir.Path("map/defs/local.fgd").string() + "; C:\\q\\far.def");
    CMapDefinitions definitions;
    ASSERT_NE(definitions.Get(world, dir.Path("away").string()), nullptr);
    EXPECT_EQ(definitions.GetProblems().size(), 1u); // far.def was never found
}
