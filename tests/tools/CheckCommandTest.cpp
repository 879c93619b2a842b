#include "ToolRun.h"

#include "entity/CDefinitionProblems.h"
#include "map/MapFileMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// The opening-brace lines, counted from 1, of the brushes of a map text
// whose plane points are written with a decimal point.
std::vector<std::string> FractionalBrushLines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream stream(text);
    int number = 0;
    int brace = 0; // the line of the open brush's brace, 0 outside brushes
    for (std::string line; std::getline(stream, line);) {
        ++number;
        if (line == "{" || line == "}")
            brace = line == "{" ? number : 0;
        else if (brace && line.starts_with('(') &&
                 line.substr(0, line.rfind(')')).find('.') != std::string::npos) {
            found.push_back(std::to_string(brace));
            brace = 0;
        }
    }
    return found;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(CheckTool, FractionalPointsAreOneNoticeAndVerboseListsTheirBrushes) {
    CTempDir dir;
    const std::string map = TestDataPath("maps/ericw_swtest.map").string();
    const std::vector<std::string> brushLines = FractionalBrushLines(ReadFileText(map));
    ASSERT_FALSE(brushLines.empty());
    const std::string summary = map + ": notice: " + DescribeFractionalBrushes(brushLines.size());

    const ToolRun plain = RunTool(dir, "check", {map});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, summary + "\n");

    const ToolRun verbose = RunTool(dir, "check", {"--verbose", map});
    EXPECT_EQ(verbose.status, 0);
    std::string expected = summary + "\n";
    for (const std::string& line : brushLines)
        expected += map + ":" + line + ": notice: brush keeps fractional points as written\n";
    EXPECT_EQ(verbose.err, expected);
}

TEST(CheckTool, AnotherGamesMapIsANoticeAndProblemsAloneSetTheStatus) {
    CTempDir dir;
    const std::string quake2 =
        TestDataPath("maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map").string();
    const ToolRun other = RunTool(dir, "check", {quake2});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.err, quake2 + ": notice: a Quake 2 map; Tolve edits Quake maps and opens it "
                                  "read-only\n");

    // The problem's line counts from 1; the other file's notice still comes.
    const std::string broken = dir.Path("broken.map").string();
    WriteFileText(broken, CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"1 2\"\n}\n"));
    const ToolRun both = RunTool(dir, "check", {broken, quake2});
    EXPECT_EQ(both.status, 1);
    EXPECT_THAT(both.err, HasSubstr(broken + ":14: Value of \"origin\" has fewer than three"));
    EXPECT_THAT(both.err, HasSubstr("\n" + quake2 + ": notice: a Quake 2 map"));

    const ToolRun help = RunTool(dir, "check", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("Notices leave the exit status alone"));
}

// A world key, a point entity and a brush entity with keys their classes
// declare and keys they do not, and an entity of a class nobody defines.
std::string MapWithEntityKeys() {
    return CubeMapText("{\n\"classname\" \"monster_ogre\"\n\"origin\" \"16 32 0\"\n"
                       "\"spawnflags\" \"1\"\n\"angle\" \"90\"\n\"foo\" \"bar\"\n"
                       "\"_shadow\" \"1\"\n}\n"
                       "{\n\"classname\" \"monster_foo\"\n\"origin\" \"0 0 0\"\n}\n"
                       "{\n\"classname\" \"func_door\"\n\"speed\" \"100\"\n\"bogus\" \"1\"\n{\n" +
                           std::string(kCubeFaceLines) + "}\n}\n",
                       "\"_sunlight\" \"200\"\n\"sky\" \"space\"\n");
}

TEST(CheckTool, DefinitionsAddNoticesForUnknownClassesAndUndeclaredKeys) {
    CTempDir dir;
    const std::string map = dir.Path("keys.map").string();
    WriteFileText(map, MapWithEntityKeys());
    const std::string fgd = TestDataPath("defs/tb_Quake.fgd").string();
    const ToolRun run = RunTool(dir, "check", {"--defs", fgd, map});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              map + ": notice: worldspawn: key \"sky\" is not declared by class \"worldspawn\"\n" +
                  map +
                  ": notice: func_door (brush entity 1): key \"bogus\" is not declared by class "
                  "\"func_door\"\n" +
                  map +
                  ": notice: monster_ogre at (16 32 0): key \"foo\" is not declared by class "
                  "\"monster_ogre\"\n" +
                  map +
                  ": notice: monster_foo at (0 0 0): the definitions have no class "
                  "\"monster_foo\"\n");

    // Without definitions, no such notice.
    EXPECT_EQ(RunTool(dir, "check", {map}).err, "");

    // Files after --defs with a definition extension are definitions too. The
    // QUAKED comments replace the classes they share and declare no keys, so
    // those classes' keys stand.
    const std::string def = TestDataPath("defs/tb_Rubicon2.def").string();
    const ToolRun both = RunTool(dir, "check", {"--defs", fgd, def, map});
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(both.err, map + ": notice: monster_foo at (0 0 0): the definitions have no class "
                              "\"monster_foo\"\n");
}

TEST(CheckTool, ProblemsOfTheDefinitionsCountAndUnreadableOnesStopNothing) {
    CTempDir dir;
    const std::string map = dir.Path("keys.map").string();
    WriteFileText(map, MapWithEntityKeys());
    const std::string broken = dir.Path("broken.fgd").string();
    WriteFileText(broken, "@PointClass = monster_ogre [ foo(string) \n");
    const ToolRun problems = RunTool(dir, "check", {"--defs", broken, map});
    EXPECT_EQ(problems.status, 1);
    EXPECT_THAT(problems.err, StartsWith(broken + ":2: expected a key or \"]\""));
    EXPECT_THAT(problems.err, HasSubstr("no class \"monster_ogre\""));

    const std::string missing = dir.Path("missing.fgd").string();
    const ToolRun unreadable = RunTool(dir, "check", {"--defs", missing, map});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_THAT(unreadable.err, HasSubstr("Couldn't read \"" + missing + "\""));
    EXPECT_THAT(unreadable.err, HasSubstr("no class \"func_door\""));

    const ToolRun noMap = RunTool(dir, "check", {"--defs", broken});
    EXPECT_EQ(noMap.status, 2);
    EXPECT_THAT(noMap.err, HasSubstr("--defs"));
}

// Junk has a problem on every line: the first thousand are listed, the rest
// counted, for the map and for the definitions alike.
TEST(CheckTool, ListsTheFirstThousandProblemsAndCountsTheRest) {
    CTempDir dir;
    const size_t lines = CDefinitionProblems::kMaxListed + 5;
    std::string fgd, map;
    for (size_t i = 0; i < lines; ++i)
        fgd += "@\n", map += "x\n";
    const std::string fgdPath = dir.Path("junk.fgd").string();
    const std::string mapPath = dir.Path("junk.map").string();
    WriteFileText(fgdPath, fgd);
    WriteFileText(mapPath, map);
    const ToolRun run = RunTool(dir, "check", {"--defs", fgdPath, mapPath});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("\n... and 5 more problems\n" + mapPath + ":1: Error:"));
    EXPECT_THAT(run.err, HasSubstr("\n" + mapPath + ": ... and 5 more problems\n"));
    for (const std::string listed : {"{ not found", "expected BaseClass"})
        EXPECT_EQ(Occurrences(run.err, listed), 1000u) << listed;
}

// Keys given twice in an entity are kept and told, as notices; so is what
// building finds in a brush the compilers build as it is.
TEST(CheckTool, RepeatedKeysAndShortEdgesAreNotices) {
    CTempDir dir;
    const std::string map = dir.Path("twice.map").string();
    WriteFileText(map, CubeMapText("{\n\"classname\" \"info_null\"\n\"target\" \"a\"\n"
                                   "\"target\" \"b\"\n}\n"));
    const ToolRun twice = RunTool(dir, "check", {map});
    EXPECT_EQ(twice.status, 0);
    EXPECT_EQ(twice.err, map + ":14: notice: Key \"target\" is given again later in this entity; "
                               "the game takes the last value, and both are kept\n");
    // A bevel of the cube's corner edge that narrows to 0.05 at the top: the
    // compilers build it, short edge and all, and so does the editor.
    const std::string bevel = dir.Path("bevel.map").string();
    WriteFileText(bevel, "{\n\"classname\" \"worldspawn\"\n{\n" + std::string(kCubeFaceLines) +
                             "( 64 60 -64 ) ( 60 64 -64 ) ( 64 63.95 64 ) bevel 0 0 0 1 1\n}\n}\n");
    const ToolRun edges = RunTool(dir, "check", {bevel});
    EXPECT_EQ(edges.status, 0);
    EXPECT_THAT(edges.err, HasSubstr(bevel + ":3: notice: CheckFace: degenerate edge\n"));
    EXPECT_EQ(RunTool(dir, "convert", {bevel, dir.Path("out.map").string()}).status, 0);
}

} // namespace
