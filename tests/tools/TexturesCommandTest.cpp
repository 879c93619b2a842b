#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using ::testing::HasSubstr;

namespace {

ToolRun RunTextures(const CTempDir& dir, const std::vector<std::string>& arguments) {
    return RunTool(dir, "textures", arguments);
}

std::string Wad(const char* name) {
    return TestDataPath(std::string("wads/") + name).string();
}

TEST(TexturesTool, ListsEachTextureOfSeveralFilesWithItsSizeAndFile) {
    CTempDir dir;
    const ToolRun run =
        RunTextures(dir, {Wad("ericw_origin.wad"), Wad("lq_utility.wad"), Wad("ericw_fence.wad")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // "origin" is in the first two files and comes from the first.
    EXPECT_THAT(run.out, HasSubstr("black 16x16 " + Wad("lq_utility.wad") + "\n"));
    EXPECT_THAT(run.out, HasSubstr("origin 64x64 " + Wad("ericw_origin.wad") + "\n"));
    EXPECT_THAT(run.out, HasSubstr("{trigger 64x64 " + Wad("ericw_fence.wad") + "\n"));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 12);
}

TEST(TexturesTool, AMapsListIsResolvedAsTheEditorDoesAndWhatFailedIsNamed) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("maps"));
    std::filesystem::create_directories(dir.Path("textures"));
    std::filesystem::copy_file(Wad("ericw_fence.wad"), dir.Path("maps/fence.wad"));
    std::filesystem::copy_file(Wad("lq_utility.wad"), dir.Path("textures/lq_utility.wad"));
    WriteFileText(dir.Path("maps/room.map"),
                  "{\n\"classname\" \"worldspawn\"\n\"wad\" \"C:\\q\\lq_utility.wad;fence.wad;"
                  "gone.wad\"\n}\n");
    const std::string map = dir.Path("maps/room.map").string();

    const ToolRun plain = RunTextures(dir, {map});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "tolve-map textures: C:\\q\\lq_utility.wad: missing\n"
                         "tolve-map textures: gone.wad: missing\n");
    EXPECT_EQ(plain.out, "{trigger 64x64 " + dir.Path("maps/fence.wad").string() + "\n");

    const ToolRun folder =
        RunTextures(dir, {"--texture-folder", dir.Path("textures").string(), map});
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err, "tolve-map textures: gone.wad: missing\n");
    EXPECT_THAT(folder.out,
                HasSubstr("clip 64x64 " + dir.Path("textures/lq_utility.wad").string()));
}

TEST(TexturesTool, BrokenFilesAreNamedAndWrongArgumentsRefused) {
    CTempDir dir;
    const ToolRun broken = RunTextures(dir, {Wad("tb_wad3_empty.wad"), Wad("ericw_fence.wad"),
                                             Wad("tb_entry_count_too_large.wad")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_THAT(broken.err, HasSubstr(Wad("tb_wad3_empty.wad") + ": not a WAD2 file\n"));
    EXPECT_THAT(broken.err, HasSubstr("warning: the header of '" +
                                      Wad("tb_entry_count_too_large.wad") + "' announces"));
    EXPECT_THAT(broken.out, HasSubstr("{trigger 64x64"));

    EXPECT_EQ(RunTextures(dir, {}).status, 2);
    EXPECT_EQ(RunTextures(dir, {"--texture-folder"}).status, 2);
    EXPECT_EQ(RunTextures(dir, {"a.wad;b.wad"}).status, 2);
    const ToolRun help = RunTextures(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("--texture-folder DIR"));
}

} // namespace
