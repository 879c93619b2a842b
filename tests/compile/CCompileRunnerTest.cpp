// The runner with a stand-in compiler: steps in order, variables expanded,
// a failing step stopping the rest, Cancel, and output that comes quickly.
#include "compile/CCompileRunner.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;
using LineKind = CCompileRunner::LineKind;

struct LoggedLine {
    LineKind kind;
    std::string text;
};

CompileStep FakeStep(std::vector<std::string> args, std::string folder = {}) {
    return {TOLVE_FAKE_COMPILER, std::move(args), std::move(folder), true};
}

class CompileRunner : public ::testing::Test {
protected:
    CompileRunner() {
        QObject::connect(&m_runner, &CCompileRunner::LinesLogged,
                         [this](LineKind kind, const QStringList& lines) {
                             for (const QString& line : lines)
                                 m_lines.push_back({kind, line.toStdString()});
                         });
    }

    // Runs to the end; false when it took longer than `seconds`.
    bool Run(std::vector<CompileStep> steps, int seconds = 20) {
        QSignalSpy finished(&m_runner, &CCompileRunner::Finished);
        m_runner.Start(std::move(steps));
        return !finished.isEmpty() || finished.wait(seconds * 1000);
    }

    std::vector<std::string> Texts(LineKind kind) const {
        std::vector<std::string> texts;
        for (const LoggedLine& line : m_lines) {
            if (line.kind == kind)
                texts.push_back(line.text);
        }
        return texts;
    }

    std::string Log() const {
        std::string log;
        for (const LoggedLine& line : m_lines)
            log += line.text + "\n";
        return log;
    }

    // Waits until the step has written `line`.
    bool WaitForOutput(const std::string& line) {
        auto written = [&] { return std::ranges::count(Texts(LineKind::kOutput), line) > 0; };
        QElapsedTimer waited;
        waited.start();
        while (!written() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return written();
    }

    // The process group that the stand-in's --spawn wrote, once it has; 0
    // when it did not.
    pid_t WaitForGroup() {
        auto group = [&]() -> pid_t {
            for (const std::string& line : Texts(LineKind::kOutput)) {
                if (line.rfind("group ", 0) == 0)
                    return std::stoi(line.substr(6));
            }
            return 0;
        };
        QElapsedTimer waited;
        waited.start();
        while (group() == 0 && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return group();
    }

    CCompileRunner m_runner;
    std::vector<LoggedLine> m_lines;
};

TEST_F(CompileRunner, RunsTheStepsInOrderWithTheirVariablesExpanded) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("game"));
    const CompileVariables variables =
        MakeCompileVariables(dir.Path("start.map").string(), dir.Path("game").string());
    const std::vector<CompileStep> steps = {
        FakeStep({"--out", "qbsp ${NAME}", "--err", "warning: ${BSP}", "--echo"}),
        {TOLVE_FAKE_COMPILER, {"--out", "vis", "--exit", "0"}, "${GAMEDIR}", false},
        FakeStep({"--out", "light", "--echo", "--partial", "no line end"}, "${GAMEDIR}"),
    };
    std::vector<CompileStep> expanded;
    for (const CompileStep& step : steps)
        expanded.push_back(ExpandCompileStep(step, variables));
    ASSERT_TRUE(Run(expanded));
    EXPECT_EQ(m_runner.GetExitStatus(), 0);
    EXPECT_FALSE(m_runner.IsRunning());

    const std::string log = Log();
    const std::string bsp = dir.Path("start.bsp").string();
    const std::vector<std::string> inOrder = {
        "Step 1 of 2: ",
        "qbsp start\nwarning: " + bsp + "\n",
        "arg: --echo",
        "cwd: " + dir.Root().string() + "\n",
        "Step 1 (tolve_fake_compiler) finished in ",
        "Left off: tolve_fake_compiler",
        "Step 2 of 2: ",
        "light\n",
        "cwd: " + dir.Path("game").string() + "\nno line end\n",
        "Compile succeeded in ",
    };
    size_t at = 0;
    for (const std::string& part : inOrder) {
        const size_t found = log.find(part, at);
        ASSERT_NE(found, std::string::npos) << "missing in order: " << part << "\n" << log;
        at = found + part.size();
    }
    EXPECT_EQ(log.find("\nvis\n"), std::string::npos) << "a step left off is not run";
    EXPECT_EQ(Texts(LineKind::kResult).back().rfind("Compile succeeded", 0), 0u);
}

TEST_F(CompileRunner, AFailingStepStopsTheChainWithItsStatus) {
    ASSERT_TRUE(Run({FakeStep({"--out", "first"}), FakeStep({"--err", "leak!", "--exit", "3"}),
                     FakeStep({"--out", "never run"})}));
    EXPECT_EQ(m_runner.GetExitStatus(), 3);
    const std::string log = Log();
    EXPECT_THAT(log, HasSubstr("leak!\n"));
    EXPECT_EQ(log.find("never run"), std::string::npos);
    ASSERT_FALSE(Texts(LineKind::kProblem).empty());
    EXPECT_THAT(Texts(LineKind::kProblem).back(),
                HasSubstr("Step 2 (tolve_fake_compiler) failed with exit status 3"));
    EXPECT_THAT(Texts(LineKind::kProblem).back(), HasSubstr("the steps after it were not run"));
}

TEST_F(CompileRunner, AStepThatCannotStartStopsTheChainAndSaysWhy) {
    CTempDir dir;
    ASSERT_TRUE(Run({FakeStep({"--out", "never"}, dir.Path("missing").string())}));
    EXPECT_EQ(m_runner.GetExitStatus(), 1);
    EXPECT_THAT(Log(), HasSubstr("could not start: the folder " + dir.Path("missing").string() +
                                 " does not exist"));

    m_lines.clear();
    ASSERT_TRUE(Run({{dir.Path("no-such-qbsp").string(), {}, "", true}, FakeStep({"--out", "x"})}));
    EXPECT_EQ(m_runner.GetExitStatus(), 1);
    EXPECT_THAT(Log(), HasSubstr("Step 1 (no-such-qbsp) could not start: "));
    EXPECT_EQ(Log().find("\nx\n"), std::string::npos);
}

TEST_F(CompileRunner, NothingToRunSucceedsAtOnce) {
    ASSERT_TRUE(Run({}));
    EXPECT_EQ(m_runner.GetExitStatus(), 0);
    EXPECT_THAT(Log(), HasSubstr("Compile succeeded"));
}

// What the step started goes with it, even a child that ignores the request
// and outlives the step.
TEST_F(CompileRunner, CancelEndsASleepingStepItsChildrenAndTheRest) {
    m_runner.SetGraceMilliseconds(2000);
    QSignalSpy finished(&m_runner, &CCompileRunner::Finished);
    m_runner.Start({FakeStep({"--ignore-term", "--spawn", "60000", "--heed-term", "--out",
                              "sleeping", "--sleep", "60000"}),
                    FakeStep({"--out", "next"})});
    const pid_t group = WaitForGroup();
    ASSERT_GT(group, 0);
    ASSERT_TRUE(WaitForOutput("sleeping"));
    QElapsedTimer cancelled;
    cancelled.start();
    m_runner.Cancel();
    ASSERT_TRUE(finished.wait(2000)) << "the step ends on the polite request";
    EXPECT_LT(cancelled.elapsed(), 2000);
    EXPECT_TRUE(m_runner.WasCancelled());
    EXPECT_EQ(m_runner.GetExitStatus(), 1);
    EXPECT_THAT(Log(), HasSubstr("was cancelled after"));
    EXPECT_EQ(Log().find("\nnext\n"), std::string::npos);
    EXPECT_TRUE(WaitUntilGroupEnds(group));
}

TEST_F(CompileRunner, AStepThatIgnoresTheRequestIsKilledAfterTheGraceTime) {
    m_runner.SetGraceMilliseconds(300);
    QSignalSpy finished(&m_runner, &CCompileRunner::Finished);
    m_runner.Start(
        {FakeStep({"--ignore-term", "--spawn", "60000", "--out", "stubborn", "--sleep", "60000"})});
    const pid_t group = WaitForGroup();
    ASSERT_GT(group, 0);
    ASSERT_TRUE(WaitForOutput("stubborn"));
    QElapsedTimer cancelled;
    cancelled.start();
    m_runner.Cancel();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_GE(cancelled.elapsed(), 250);
    EXPECT_LT(cancelled.elapsed(), 5000);
    EXPECT_THAT(Log(), HasSubstr("The step did not end; killing it"));
    EXPECT_EQ(m_runner.GetExitStatus(), 1);
    EXPECT_TRUE(WaitUntilGroupEnds(group)) << "the stubborn child is killed with the step";
}

// Nothing is lost or reordered when a step writes much at once, or both
// streams line by line.
TEST_F(CompileRunner, KeepsEveryLineOfAFastStepInOrder) {
    constexpr int kLines = 200000;
    ASSERT_TRUE(Run({FakeStep({"--lines", std::to_string(kLines), "--mixed", "2000"})}, 60));
    EXPECT_EQ(m_runner.GetExitStatus(), 0);
    const std::vector<std::string> output = Texts(LineKind::kOutput);
    ASSERT_EQ(output.size(), static_cast<size_t>(kLines + 2000));
    for (int n = 0; n < kLines; ++n)
        ASSERT_EQ(output[static_cast<size_t>(n)], "line " + std::to_string(n));
    for (int n = 0; n < 2000; ++n)
        ASSERT_EQ(output[static_cast<size_t>(kLines + n)],
                  (n % 2 ? "err " : "out ") + std::to_string(n));
}

// Progress redrawn in place with carriage returns shows as a terminal leaves
// it; Windows line ends lose their return; a NUL byte shows as its symbol.
TEST_F(CompileRunner, ShowsLinesAsATerminalLeavesThem) {
    ASSERT_TRUE(Run({FakeStep({"--out", "light 10%\rlight 55%\rlight 100%", "--out", "dos\r",
                               "--nul", "--partial", "a\rb"})}));
    const std::vector<std::string> output = Texts(LineKind::kOutput);
    EXPECT_THAT(output, ::testing::ElementsAre("light 100%", "dos", "before\u2400after", "b"));
}

TEST_F(CompileRunner, ADestroyedRunnerEndsItsStepAndItsChildren) {
    auto runner = std::make_unique<CCompileRunner>();
    bool sawLine = false;
    pid_t group = 0;
    QObject::connect(runner.get(), &CCompileRunner::LinesLogged,
                     [&](LineKind, const QStringList& lines) {
                         sawLine |= lines.contains("up");
                         for (const QString& line : lines) {
                             if (line.startsWith("group "))
                                 group = line.mid(6).toInt();
                         }
                     });
    runner->Start({FakeStep({"--spawn", "60000", "--out", "up", "--sleep", "60000"})});
    QElapsedTimer waited;
    waited.start();
    while (!sawLine && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(sawLine);
    QElapsedTimer ending;
    ending.start();
    runner.reset();
    EXPECT_LT(ending.elapsed(), 3000);
    ASSERT_GT(group, 0);
    EXPECT_TRUE(WaitUntilGroupEnds(group));
}

} // namespace
