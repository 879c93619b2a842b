#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using ::testing::HasSubstr;

// A profile file of steps of the stand-in compiler, each given its arguments.
std::string ProfileJson(const std::vector<std::string>& steps) {
    std::string json = R"({"name": "test", "steps": [)";
    for (size_t i = 0; i < steps.size(); ++i) {
        json += i ? ", " : "";
        json += R"({"program": ")" TOLVE_FAKE_COMPILER R"(", "args": [)" + steps[i] + "]}";
    }
    return json + "]}";
}

TEST(CompileTool, RunsTheChainPrintingTheLogAndExitsWithItsResult) {
    CTempDir dir;
    const std::string map = dir.Path("start.map").string();
    WriteFileText(map, "{\n\"classname\" \"worldspawn\"\n}\n");
    const std::string profile = dir.Path("p.json").string();

    WriteFileText(profile, ProfileJson({R"("--out", "qbsp ${NAME} ${GAMEDIR}")",
                                        R"("--err", "vis ${BSP}")"}));
    ToolRun run = RunTool(dir, "compile", {"--profile", profile, "--gamedir", "/q", map});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("\nqbsp start /q\n"));
    EXPECT_THAT(run.out, HasSubstr("\nvis " + dir.Path("start.bsp").string() + "\n"));
    EXPECT_LT(run.out.find("qbsp start"), run.out.find("Step 2 of 2"));
    EXPECT_THAT(run.out, HasSubstr("Compile succeeded"));

    // The failing step's status is the tool's, and the rest is not run.
    WriteFileText(profile, ProfileJson({R"("--exit", "7")", R"("--out", "never")"}));
    run = RunTool(dir, "compile", {"--profile", profile, map});
    EXPECT_EQ(run.status, 7);
    EXPECT_THAT(run.out, HasSubstr("failed with exit status 7"));
    EXPECT_EQ(run.out.find("\nnever\n"), std::string::npos);
}

TEST(CompileTool, RefusesWhatItCannotRun) {
    CTempDir dir;
    const std::string map = dir.Path("start.map").string();
    WriteFileText(map, "{\n\"classname\" \"worldspawn\"\n}\n");
    WriteFileText(dir.Path("broken.json"), R"({"name": "x", "steps": [{"args": []}]})");
    ToolRun run = RunTool(dir, "compile", {"--profile", dir.Path("broken.json").string(), map});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("broken.json: step 1 has no \"program\""));

    WriteFileText(dir.Path("good.json"), ProfileJson({}));
    run = RunTool(dir, "compile",
                  {"--profile", dir.Path("good.json").string(), dir.Path("none.map").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("none.map: no such map file"));

    WriteFileText(dir.Path("game.json"), ProfileJson({R"("--out", "${GAMEDIR}/id1")"}));
    run = RunTool(dir, "compile", {"--profile", dir.Path("game.json").string(), map});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("names ${GAMEDIR}, but no game folder is set (--gamedir)"));
    EXPECT_EQ(run.out, "") << "nothing ran";

    EXPECT_EQ(RunTool(dir, "compile", {map}).status, 2) << "no profile";
    EXPECT_EQ(RunTool(dir, "compile", {"--help"}).status, 0);
}

} // namespace
