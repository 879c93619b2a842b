#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(StatsTool, GivesTheFormAndTheGameOfAMap) {
    CTempDir dir;
    for (const auto& [file, ending] :
         {std::pair{"maps/tb_cube.map", "format: standard\ngame: Quake\n"},
          {"maps-valve/ericw_q1_detail_fence.map", "format: Valve 220\ngame: Quake\n"},
          {"maps-other-formats/ericw_hl_currents.map", "format: Valve 220\ngame: Half-Life\n"},
          {"maps-other-formats/q3_patchdef_spirit3ctfduel1-center.map",
           "format: standard\ngame: Quake 3\n"}}) {
        const ToolRun run = RunTool(dir, "stats", {TestDataPath(file).string()});
        EXPECT_EQ(run.status, 0);
        EXPECT_THAT(run.out, ::testing::EndsWith(std::string("\n") + ending)) << file;
    }
}

} // namespace
