#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::HasSubstr;

namespace {

std::string Data(const std::string& relative) {
    return TestDataPath(relative).string();
}

ToolRun Convert(const CTempDir& dir, const std::vector<std::string>& arguments) {
    return RunTool(dir, "convert", arguments);
}

// These maps lose nothing when read: what the editor cannot show (a brush of
// more than 32 faces) is kept as written, which is no reason for a status of 3.
void ExpectSaved(const ToolRun& run) {
    EXPECT_EQ(run.status, 0) << run.err;
}

// --keep-layout gives a map read without problems back byte for byte, its
// comments and CRLF line ends too; without it the map is written in the
// editor's own layout; and a change of form writes the whole map, saying so.
TEST(ConvertTool, KeepLayoutGivesTheFileBackAndSaysWhenItCannot) {
    CTempDir dir;
    const std::string out = dir.Path("out.map").string();
    for (const char* file : {"maps/ericw_q1_tjunc_matrix.map", "maps/id_dm1.map"}) {
        SCOPED_TRACE(file);
        const std::string in = Data(file);
        ExpectSaved(Convert(dir, {"--keep-layout", in, out}));
        EXPECT_TRUE(ReadFileText(out) == ReadFileText(in));
        ExpectSaved(Convert(dir, {in, out}));
        EXPECT_FALSE(ReadFileText(out) == ReadFileText(in));
    }
    const ToolRun converted =
        Convert(dir, {"--keep-layout", "--format", "valve", Data("maps/id_dm1.map"), out});
    ExpectSaved(converted);
    EXPECT_THAT(converted.err, HasSubstr(out + " was written whole anew: its face lines are saved "
                                               "in another form"));
}

TEST(ConvertTool, ValveMapsKeepTheirFormAndThoseWhoseFacesAllConvertBecomeStandard) {
    CTempDir dir;
    const std::string out = dir.Path("out.map").string();
    for (const auto& [file, convertible] : {std::pair{"ericw_q1_detail_fence.map", true},
                                            {"ericw_q1_hull1_content_types.map", true},
                                            {"ericw_q1_liquid_is_detail.map", true},
                                            {"ericw_q1_detail_touching_water.map", false},
                                            {"ericw_qbsp_many_sided_face.map", false}}) {
        SCOPED_TRACE(file);
        const std::string in = Data(std::string("maps-valve/") + file);
        ExpectSaved(Convert(dir, {in, out}));
        EXPECT_THAT(ReadFileText(out), HasSubstr("\"mapversion\" \"220\""));
        if (!convertible)
            continue;
        ExpectSaved(Convert(dir, {"--format", "standard", in, out}));
        const std::string text = ReadFileText(out);
        EXPECT_EQ(text.find('['), std::string::npos);
        EXPECT_EQ(text.find("mapversion"), std::string::npos);
        EXPECT_THAT(RunTool(dir, "stats", {out}).out, HasSubstr("format: standard\n"));
    }
}

TEST(ConvertTool, WhatTheStandardFormCannotHoldIsListedAndWrittenOnlyWhenForced) {
    CTempDir dir;
    // The fence map with its first face's u axis leant out of the face's plane.
    std::string text = ReadFileText(TestDataPath("maps-valve/ericw_q1_detail_fence.map"));
    const size_t first = text.find("[ 0 1 0 16 ]");
    ASSERT_NE(first, std::string::npos);
    const std::string in = dir.Path("leaning.map").string();
    WriteFileText(in, text.replace(first, 12, "[ 0 1 1 16 ]"));
    const std::string out = dir.Path("out.map").string();

    const ToolRun refused = Convert(dir, {"--format", "standard", in, out});
    EXPECT_EQ(refused.status, 4);
    EXPECT_THAT(refused.err, HasSubstr(in + " cannot be written in the standard form"));
    EXPECT_THAT(refused.err, HasSubstr("\n  1 face has no standard texture"));
    EXPECT_THAT(refused.err, HasSubstr("\n    the world, brush 1, face 1 (line 12)\n"));
    EXPECT_FALSE(std::filesystem::exists(out));
    const ToolRun forced = Convert(dir, {"--force", "--format", "standard", in, out});
    ExpectSaved(forced);
    EXPECT_THAT(forced.err, HasSubstr("1 face was written with the nearest standard texture"));
    EXPECT_EQ(ReadFileText(out).find('['), std::string::npos);

    // A brush kept as written would stay in the Valve form.
    const std::string big = Data("maps-valve/ericw_qbsp_many_sided_face.map");
    EXPECT_THAT(Convert(dir, {"--format", "standard", big, dir.Path("big.map").string()}).err,
                HasSubstr("\n  1 brush kept as written would stay in the Valve form (--force "
                          "writes it so):\n    the world, brush 1\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("big.map")));
}

TEST(ConvertTool, AStandardMapTurnedValveAndBackIsTheSameFile) {
    CTempDir dir;
    const std::string first = dir.Path("first.map").string();
    const std::string valve = dir.Path("valve.map").string();
    const std::string back = dir.Path("back.map").string();
    ExpectSaved(Convert(dir, {Data("maps/id_dm1.map"), first}));
    ExpectSaved(Convert(dir, {"--format", "valve", first, valve}));
    EXPECT_THAT(ReadFileText(valve), HasSubstr("\"mapversion\" \"220\""));
    ExpectSaved(Convert(dir, {"--format", "standard", valve, back}));
    EXPECT_EQ(ReadFileText(back), ReadFileText(first));
}

TEST(ConvertTool, OtherGamesMapsAreRefusedByTheirGameAndNothingIsWritten) {
    CTempDir dir;
    const std::string out = dir.Path("out.map").string();
    for (const auto& [file, game] :
         {std::pair{"q2_surfaceflags_ericw_q2_trans33_solid.map", "Quake 2"},
          {"ericw_q2_liquids.map", "Quake 2"},
          {"q3_patchdef_spirit3ctfduel1-center.map", "Quake 3"},
          {"ericw_hl_currents.map", "Half-Life"}}) {
        const std::string in = Data(std::string("maps-other-formats/") + file);
        const ToolRun run = Convert(dir, {in, out});
        EXPECT_EQ(run.status, 2) << file;
        EXPECT_THAT(run.err, HasSubstr(in + " is a " + game +
                                       " map; Tolve edits Quake maps and does not convert it\n"));
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(ConvertTool, AValveMapIsHalfLifesOnceATextureFolderHoldsItsWad3File) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("textures"));
    std::filesystem::copy_file(TestDataPath("wads/tb_wad3_empty.wad"),
                               dir.Path("textures/halflife.wad"));
    std::string text = ReadFileText(TestDataPath("maps-valve/ericw_qbsp_many_sided_face.map"));
    const size_t wad = text.find("deprecated/free_wad.wad");
    ASSERT_NE(wad, std::string::npos);
    const std::string in = dir.Path("map.map").string();
    WriteFileText(in, text.replace(wad, 23, "halflife.wad"));
    const std::string out = dir.Path("out.map").string();

    const ToolRun found =
        Convert(dir, {"--texture-folder", dir.Path("textures").string(), in, out});
    EXPECT_EQ(found.status, 2);
    EXPECT_THAT(found.err, HasSubstr(in + " is a Half-Life map"));
    EXPECT_FALSE(std::filesystem::exists(out));
    ExpectSaved(Convert(dir, {in, out}));
}

TEST(ConvertTool, ReadProblemsStillSaveAndEveryOtherFailureHasItsStatus) {
    CTempDir dir;
    const std::string in = dir.Path("light.map").string();
    WriteFileText(in, CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"1 2\"\n}\n"));
    const std::string out = dir.Path("out.map").string();
    const ToolRun problems = Convert(dir, {in, out});
    EXPECT_EQ(problems.status, 3);
    EXPECT_THAT(problems.err, HasSubstr("Map Read Error: 14 : Value of \"origin\""));
    EXPECT_THAT(ReadFileText(out), HasSubstr("\"classname\" \"light\""));

    // Never over itself, also through a link, unless forced.
    const std::string original = ReadFileText(in);
    std::filesystem::create_symlink(in, dir.Path("link.map"));
    for (const std::string& over : {in, dir.Path("link.map").string()}) {
        const ToolRun refused = Convert(dir, {in, over});
        EXPECT_EQ(refused.status, 3);
        EXPECT_THAT(refused.err, HasSubstr("It was left as it is"));
        EXPECT_EQ(ReadFileText(in), original);
    }
    EXPECT_EQ(Convert(dir, {"--force", in, in}).status, 3);
    EXPECT_NE(ReadFileText(in), original);

    EXPECT_EQ(Convert(dir, {dir.Path("gone.map").string(), out}).status, 2);
    EXPECT_EQ(Convert(dir, {in, dir.Path("no/such/folder/out.map").string()}).status, 1);
    const ToolRun format = Convert(dir, {"--format", "quake2", in, out});
    EXPECT_EQ(format.status, 2);
    EXPECT_THAT(format.err, HasSubstr("unknown format 'quake2': give standard or valve"));
    EXPECT_THAT(Convert(dir, {"--forced", in, out}).err, HasSubstr("unknown option '--forced'"));
    EXPECT_EQ(Convert(dir, {in, out, "--format"}).status, 2);
    EXPECT_EQ(Convert(dir, {in}).status, 2);
    const ToolRun help = Convert(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* status : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  "})
        EXPECT_THAT(help.out, HasSubstr(status));
}

} // namespace
