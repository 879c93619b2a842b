#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// The printed line of one class, found by its name in the second field.
std::string LineOf(const std::string& out, const std::string& name) {
    for (size_t start = 0; start < out.size();) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        const size_t tab = line.find('\t');
        if (tab != std::string::npos && line.compare(tab + 1, name.size() + 1, name + "\t") == 0)
            return line;
        if (tab != std::string::npos && line.substr(tab + 1) == name)
            return line;
        start = end + 1;
    }
    return {};
}

TEST(DefsTool, PrintsEachPlacedClassWithSizeAndFlagsInFileOrder) {
    CTempDir dir;
    const std::string fgd = dir.Path("mod.fgd").string();
    WriteFileText(fgd, R"text(@BaseClass size(-8 -8 -8, 8 8 8) = Small
[ spawnflags(flags) = [ 256 : "Not on Easy" : 0  2 : "" : 0 ] ]
@PointClass base(Small) = item_a : "A" [ spawnflags(flags) = [ 1 : "Big" : 0 ] ]
@SolidClass base(Small) = func_b []
@PointClass = info_c []
)text");
    const std::string def = dir.Path("more.DEF").string();
    WriteFileText(def, "/*QUAKED light_d (1 1 0) (-4 -4 -4) (4 4 4) ON x DIM\n*/\n"
                       "/*QUAKED item_a (0 0 1) ?\n*/\n");
    const ToolRun run = RunTool(dir, "defs", {fgd, def});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // item_a is defined again by the second file and keeps its place.
    EXPECT_EQ(run.out, "brush\titem_a\n"
                       "brush\tfunc_b\t2=\t256=Not on Easy\n"
                       "point\tinfo_c\n"
                       "point\tlight_d\t-4 -4 -4 4 4 4\t1=ON\t4=DIM\n");
}

TEST(DefsTool, ReadsTheSampleFilesWithoutAProblem) {
    CTempDir dir;
    const ToolRun fgd = RunTool(dir, "defs", {TestDataPath("defs/tb_Quake.fgd").string()});
    EXPECT_EQ(fgd.status, 0);
    EXPECT_EQ(fgd.err, "");
    EXPECT_THAT(fgd.out, StartsWith("brush\tworldspawn\n"));
    EXPECT_EQ(LineOf(fgd.out, "monster_ogre"),
              "point\tmonster_ogre\t-32 -32 -24 32 32 64\t1=Ambush\t256=Not on Easy\t"
              "512=Not on Normal\t1024=Not on Hard\t2048=Not in Deathmatch");
    EXPECT_THAT(LineOf(fgd.out, "func_door"),
                StartsWith("brush\tfunc_door\t1=Starts Open\t4=Don't link\t8=Gold Key"));
    EXPECT_EQ(LineOf(fgd.out, "Monster"), "");

    const ToolRun def = RunTool(dir, "defs", {TestDataPath("defs/tb_Rubicon2.def").string()});
    EXPECT_EQ(def.status, 0);
    EXPECT_EQ(def.err, "");
    EXPECT_EQ(LineOf(def.out, "monster_ogre"), "point\tmonster_ogre\t-32 -32 -24 32 32 64\t"
                                               "1=AMBUSH\t64=SPAWN_TRIGGERED\t128=SPAWN_SILENT");
    EXPECT_EQ(LineOf(def.out, "func_laser"), "brush\tfunc_laser\t1=START_OFF\t2=LASER_SOLID");
}

TEST(DefsTool, ProblemsAndUnreadableFilesSetTheStatus) {
    CTempDir dir;
    const std::string broken = dir.Path("broken.fgd").string();
    WriteFileText(broken, "@PointClass = good []\n\n@PointClass size(1 2 3 4) = bad []\n");
    const ToolRun problems = RunTool(dir, "defs", {broken});
    EXPECT_EQ(problems.status, 1);
    EXPECT_EQ(problems.out, "point\tgood\n");
    EXPECT_EQ(problems.err, broken +
                                ":3: expected \",\" or \")\" after the first corner of a size, "
                                "found \"4\"\n");

    const std::string missing = dir.Path("missing.def").string();
    const ToolRun unreadable = RunTool(dir, "defs", {missing, broken});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, "point\tgood\n");
    EXPECT_THAT(unreadable.err,
                StartsWith("Couldn't read \"" + missing + "\": No such file or directory.\n"));

    const ToolRun none = RunTool(dir, "defs", {});
    EXPECT_EQ(none.status, 2);
    EXPECT_THAT(none.err, HasSubstr("usage: tolve-map defs FILE..."));
    const ToolRun help = RunTool(dir, "defs", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("BIT=Caption"));
}

} // namespace
