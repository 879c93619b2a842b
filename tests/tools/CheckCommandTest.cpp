#include "ToolRun.h"

#include "map/MapFileMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

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

} // namespace
