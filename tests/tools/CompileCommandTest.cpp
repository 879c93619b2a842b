#include "ToolRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <regex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Reads what `fd` gives until `done` holds of all that came, for at most ten
// seconds; all that came.
std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done) {
    std::string text;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done(text) && std::chrono::steady_clock::now() < until) {
        pollfd ready{fd, POLLIN, 0};
        char buffer[4096];
        if (::poll(&ready, 1, 100) <= 0)
            continue;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
    }
    return text;
}

// A compile ended from outside takes its steps' processes with it, those
// they started included, and says so.
TEST(CompileTool, ATerminatedCompileEndsItsStepsAndWhatTheyStarted) {
    CTempDir dir;
    const std::string map = dir.Path("start.map").string();
    WriteFileText(map, "{\n\"classname\" \"worldspawn\"\n}\n");
    const std::string profile = dir.Path("p.json").string();
    WriteFileText(profile, ProfileJson({R"("--spawn", "60000", "--sleep", "60000")"}));
    const std::string errors = dir.Path("stderr.txt").string();
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t tool = ::fork();
    ASSERT_GE(tool, 0);
    if (tool == 0) {
        const int errorFile = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(errorFile, STDERR_FILENO);
        ::close(errorFile);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(TOLVE_MAP_TOOL, TOLVE_MAP_TOOL, "compile", "--profile", profile.c_str(),
                map.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    const std::regex groupLine("\ngroup ([0-9]+)\n");
    std::string printed = ReadUntil(
        out[0], [&](const std::string& text) { return std::regex_search(text, groupLine); });
    std::smatch found;
    const bool started = std::regex_search(printed, found, groupLine);
    const pid_t group = started ? std::stoi(found[1]) : 0;

    ::kill(tool, SIGTERM);
    printed += ReadUntil(out[0], [](const std::string&) { return false; });
    ::close(out[0]);
    int status = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::waitpid(tool, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (::kill(tool, 0) == 0) { // still running: it fails without holding up the test
        ::kill(tool, SIGKILL);
        ::waitpid(tool, &status, 0);
    }
    ASSERT_TRUE(started) << printed;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
    EXPECT_THAT(ReadFileText(errors), HasSubstr("SIGTERM received; cancelling the compile"));
    EXPECT_THAT(printed, HasSubstr("was cancelled after"));
    EXPECT_TRUE(WaitUntilGroupEnds(group));
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
