#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Zooms are powers of two either way: N units per pixel, or 1/N for N pixels
// per unit up to sixteen; anything else is refused before a picture is made.
TEST(RenderTool, TakesZoomedOutAndMagnifiedScalesAndRefusesOthers) {
    CTempDir dir;
    const std::string map = TestDataPath("maps/tb_cube.map").string();
    for (const std::string zoom : {"4", "1/2", "1/16"}) {
        const std::string out = dir.Path("cube.png").string();
        std::filesystem::remove(out);
        const ToolRun run =
            RunTool(dir, "render", {map, "--plane", "xz", "--zoom", zoom, "--out", out});
        EXPECT_EQ(run.status, 0) << zoom << run.err;
        EXPECT_THAT(run.out, ::testing::EndsWith("xz plane, zoom " + zoom + "\n"));
        EXPECT_TRUE(std::filesystem::exists(out)) << zoom;
    }
    for (const std::string zoom : {"3", "1/3", "1/32", "0", "1/", "2x", "99999999999"}) {
        const ToolRun run =
            RunTool(dir, "render", {map, "--zoom", zoom, "--out", dir.Path("no.png").string()});
        EXPECT_EQ(run.status, 2) << zoom;
        EXPECT_FALSE(std::filesystem::exists(dir.Path("no.png"))) << zoom;
    }
}

// A leak trace drawn over the picture; a broken one is named by its line
// and no picture is made.
TEST(RenderTool, DrawsAPointFileAndNamesTheLineOfABrokenOne) {
    CTempDir dir;
    const std::string map = TestDataPath("maps/tb_cube.map").string();
    WriteFileText(dir.Path("leak.pts"), "0 0 0\n64 0 0\n64 64 32\n");
    WriteFileText(dir.Path("broken.pts"), "0 0 0\n64 zero 0\n");
    const std::string out = dir.Path("leak.png").string();
    ToolRun run =
        RunTool(dir, "render",
                {map, "--plane", "xy", "--pointfile", dir.Path("leak.pts").string(), "--out", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(out));
    std::filesystem::remove(out);
    run = RunTool(
        dir, "render",
        {map, "--plane", "xy", "--pointfile", dir.Path("broken.pts").string(), "--out", out});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, ::testing::HasSubstr("broken.pts:2: expected three numbers"));
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
