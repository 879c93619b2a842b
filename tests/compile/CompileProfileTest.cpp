#include "compile/CompileProfile.h"
#include "TestSupport.h"
#include "compile/CompileProfileFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(CompileVariables, StandForTheSavedMapAndTheGameFolder) {
    const CompileVariables variables = MakeCompileVariables("/maps/base/e1m1.v2.map", "/games/q");
    EXPECT_EQ(variables.map, "/maps/base/e1m1.v2.map");
    EXPECT_EQ(variables.mapDir, "/maps/base");
    EXPECT_EQ(variables.name, "e1m1.v2");
    EXPECT_EQ(variables.bsp, "/maps/base/e1m1.v2.bsp");
    EXPECT_EQ(ExpandCompileVariables("${MAPDIR}|${NAME}|${BSP}|${MAP}|${GAMEDIR}/id1", variables),
              "/maps/base|e1m1.v2|/maps/base/e1m1.v2.bsp|/maps/base/e1m1.v2.map|/games/q/id1");
    // What names no variable stays as the user wrote it.
    EXPECT_EQ(ExpandCompileVariables("${HOME} ${name} $NAME ${ ${NAME", variables),
              "${HOME} ${name} $NAME ${ ${NAME");
    EXPECT_EQ(ExpandCompileVariables("${NAME}${NAME}", variables), "e1m1.v2e1m1.v2");
}

TEST(CompileVariables, AStepRunsInTheMapsFolderUnlessItSaysOtherwise) {
    const CompileVariables variables = MakeCompileVariables("/maps/start.map", "/q");
    const CompileStep step{"${GAMEDIR}/qbsp", {"-notex", "${MAP}"}, "", false};
    const CompileStep expanded = ExpandCompileStep(step, variables);
    EXPECT_EQ(expanded.program, "/q/qbsp");
    EXPECT_THAT(expanded.args, ElementsAre("-notex", "/maps/start.map"));
    EXPECT_EQ(expanded.folder, "/maps");
    EXPECT_FALSE(expanded.enabled);
    EXPECT_EQ(ExpandCompileStep({"vis", {}, "${GAMEDIR}/id1", true}, variables).folder, "/q/id1");
}

TEST(CompileVariables, AStepNamingAnUnsetGameFolderIsNamed) {
    CompileProfile profile{"q",
                           {{"qbsp", {"${MAP}"}, "", true},
                            {"/usr/bin/cp", {"${BSP}", "${GAMEDIR}/id1/maps"}, "", false},
                            {"/usr/games/quake", {"+map", "${NAME}"}, "${GAMEDIR}", true}}};
    const std::optional<std::string> problem =
        FindUnsetVariable(profile, MakeCompileVariables("/m/a.map", ""));
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(*problem, "Step 3 (quake) names ${GAMEDIR}, but no game folder is set");
    EXPECT_EQ(FindUnsetVariable(profile, MakeCompileVariables("/m/a.map", "/q")), std::nullopt);
    profile.steps[2].enabled = false;
    EXPECT_EQ(FindUnsetVariable(profile, MakeCompileVariables("/m/a.map", "")), std::nullopt)
        << "steps left off do not count";
}

// Arguments are edited as one line: what is joined splits back into the same
// arguments, however odd.
TEST(CompileArguments, JoinAndSplitGiveBackEveryArgument) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"-threads", "4", "${MAP}"},
        {"", "two words", "quote\"d", "back\\slash", "it's", "\ttab", "end\\"},
    };
    for (const std::vector<std::string>& args : cases)
        EXPECT_EQ(SplitArguments(JoinArguments(args)), args) << JoinArguments(args);
    EXPECT_EQ(JoinArguments({"-light", "two words"}), "-light \"two words\"");
    EXPECT_THAT(SplitArguments("  a 'b \"c' \"d e\"f  g\\ h "),
                ElementsAre("a", "b \"c", "d ef", "g h"));
    // An unclosed quote runs to the end rather than losing what follows it.
    EXPECT_THAT(SplitArguments("a \"b c"), ElementsAre("a", "b c"));
    EXPECT_EQ(DescribeCommandLine({"/usr/bin/qbsp", {"my map.map"}, "", true}),
              "/usr/bin/qbsp \"my map.map\"");
}

TEST(CompileProfileJson, KeepsEverythingAcrossAFile) {
    CompileProfile profile{"Fast \"test\"",
                           {{"qbsp", {"${MAP}", "a b"}, "", true},
                            {"light", {}, "${GAMEDIR}", false},
                            {"quakespasm", {"+map", "${NAME}"}, "/games/ü", true}}};
    CTempDir dir;
    const std::string path = dir.Path("sub/fast.json").string();
    ASSERT_EQ(WriteCompileProfile(path, profile), std::nullopt);
    CompileProfile read;
    ASSERT_EQ(ReadCompileProfile(path, read), std::nullopt);
    EXPECT_EQ(read, profile);
    // The file is the documented shape, defaults left out.
    const std::string text = ReadFileText(path);
    EXPECT_THAT(text, HasSubstr("\"program\": \"qbsp\""));
    EXPECT_THAT(text, HasSubstr("\"enabled\": false"));
    EXPECT_EQ(text.find("\"enabled\": true"), std::string::npos);
}

TEST(CompileProfileJson, AcceptsTheShortFormAndNamesWhatIsWrong) {
    CompileProfile profile;
    ASSERT_EQ(CompileProfileFromJson(R"({"name": "q", "steps": [{"program": "qbsp"}]})", profile),
              std::nullopt);
    EXPECT_EQ(profile, (CompileProfile{"q", {{"qbsp", {}, "", true}}}));

    const std::pair<const char*, const char*> broken[] = {
        {"{\"name\": \"q\", \"steps\": [", "not JSON"},
        {"[1, 2]", "not a JSON object"},
        {R"({"steps": []})", "no \"name\""},
        {R"({"name": "  ", "steps": []})", "no \"name\""},
        {R"({"name": "q"})", "no list of \"steps\""},
        {R"({"name": "q", "steps": [3]})", "step 1 is not an object"},
        {R"({"name": "q", "steps": [{"program": "a"}, {"args": []}]})",
         "step 2 has no \"program\""},
        {R"({"name": "q", "steps": [{"program": "a", "args": "x"}]})", "\"args\" is not a list"},
        {R"({"name": "q", "steps": [{"program": "a", "args": [1]}]})", "not a string"},
        {R"({"name": "q", "steps": [{"program": "a", "folder": 2}]})", "\"folder\""},
        {R"({"name": "q", "steps": [{"program": "a", "enabled": "no"}]})", "\"enabled\""},
    };
    for (const auto& [json, problem] : broken) {
        CompileProfile untouched{"kept", {}};
        const std::optional<std::string> found = CompileProfileFromJson(json, untouched);
        ASSERT_TRUE(found.has_value()) << json;
        EXPECT_THAT(*found, HasSubstr(problem)) << json;
        EXPECT_EQ(untouched.name, "kept") << json;
    }
}

TEST(CompileProfileFolder, ListsProfilesByNameAndNamesUnreadableFiles) {
    CTempDir dir;
    ASSERT_EQ(WriteCompileProfile(dir.Path("b.json").string(), {"Zeta", {}}), std::nullopt);
    ASSERT_EQ(WriteCompileProfile(dir.Path("a.json").string(), {"Alpha", {}}), std::nullopt);
    WriteFileText(dir.Path("broken.json"), "{");
    WriteFileText(dir.Path("notes.txt"), "not a profile");
    std::vector<std::string> problems;
    const std::vector<StoredProfile> profiles = LoadCompileProfiles(dir.Root().string(), problems);
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].profile.name, "Alpha");
    EXPECT_EQ(profiles[1].path, dir.Path("b.json").string());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_THAT(problems[0], HasSubstr("broken.json: not JSON"));

    problems.clear();
    EXPECT_TRUE(LoadCompileProfiles(dir.Path("none").string(), problems).empty());
    EXPECT_TRUE(problems.empty());

    // New files take a name of their own and never replace another's.
    EXPECT_EQ(NewProfilePath(dir.Root().string(), "A/B c"), dir.Path("a-b-c.json").string());
    EXPECT_EQ(NewProfilePath(dir.Root().string(), "B"), dir.Path("b-2.json").string());
    EXPECT_EQ(NewProfilePath(dir.Root().string(), ""), dir.Path("profile.json").string());
}

// A FIFO among the profiles would block the editor's F9 and a device might
// never end: only regular files are read, and no more than a profile can be.
TEST(CompileProfileFolder, ReadsOnlyRegularFilesOfAProfilesSize) {
    CTempDir dir;
    ASSERT_EQ(WriteCompileProfile(dir.Path("a.json").string(), {"Alpha", {}}), std::nullopt);
    const std::string fifo = dir.Path("fifo.json").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WriteFileText(dir.Path("huge.json"), std::string(1024 * 1024 + 1, ' '));
    std::vector<std::string> problems;
    auto loading = std::async(std::launch::async,
                              [&] { return LoadCompileProfiles(dir.Root().string(), problems); });
    const bool loaded = loading.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!loaded) // lets a reader that blocked go, so that the test fails rather than hangs
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    ASSERT_TRUE(loaded) << "reading a FIFO blocked";
    EXPECT_EQ(loading.get().size(), 1u);
    std::ranges::sort(problems);
    EXPECT_THAT(problems, ElementsAre(fifo + ": cannot be read: it is a named pipe (FIFO), not a "
                                             "regular file",
                                      dir.Path("huge.json").string() +
                                          ": larger than 1 MiB, too large for a compile profile"));

    CompileProfile profile;
    EXPECT_EQ(ReadCompileProfile("/dev/zero", profile),
              "/dev/zero: cannot be read: it is a character device, not a regular file");
}

// vis and light run when they are at hand; a compiler that is not is left
// off rather than failing every run. The engine waits for the game folder.
TEST(CompileProfileDefaults, OffersTheUsualCompilersAtHandAndLeavesTheEngineOff) {
    CTempDir dir;
    const std::filesystem::path vis = dir.Path("vis");
    WriteFileText(vis, "#!/bin/sh\n");
    std::filesystem::permissions(vis, std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", dir.Root().c_str(), 1);
    const CompileProfile profile = DefaultCompileProfile();
    ::setenv("PATH", path.c_str(), 1);
    ASSERT_GE(profile.steps.size(), 4u);
    EXPECT_EQ(profile.steps[0].program, "qbsp");
    EXPECT_TRUE(profile.steps[0].enabled);
    EXPECT_EQ(profile.steps[1].program, vis.string());
    EXPECT_TRUE(profile.steps[1].enabled);
    EXPECT_EQ(profile.steps[2].program, "light");
    EXPECT_FALSE(profile.steps[2].enabled);
    EXPECT_FALSE(profile.steps.back().enabled);
    EXPECT_THAT(profile.steps.back().args, ::testing::Contains("${NAME}"));
}

} // namespace
