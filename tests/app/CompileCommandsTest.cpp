// Compile > Run through the real window with a stand-in compiler: the map
// saved, the steps' log, the leak trace drawn; one run per map, Cancel, and
// the profiles as the dialog edits them.
#include "app/CompileCommands.h"
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "LeakTracePixels.h"
#include "TestSupport.h"
#include "app/CCommandTable.h"
#include "app/CCompileRuns.h"
#include "compile/CCompileRunner.h"
#include "compile/CompileProfileFile.h"
#include "dialogs/CCompileLogWindow.h"
#include "dialogs/CCompileProfilesDlg.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

// Lets the editor run until `done` holds; false when it never did.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

CompileStep FakeStep(std::vector<std::string> args) {
    return {TOLVE_FAKE_COMPILER, std::move(args), "", true};
}

class CompileCommands : public CAppFixture {
protected:
    void SetProfile(const CompileProfile& profile) {
        ASSERT_EQ(WriteCompileProfile(CompileProfilesFolder() + "/test.json", profile),
                  std::nullopt);
        StoreChosenProfileName(profile.name);
    }

    CTolveView& OpenRoom() {
        StartApp({WriteMap("room.map")});
        return ActiveView();
    }

    // Keys reach the commands' shortcuts in the active window only.
    CTolveView& ActiveView() {
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        CTolveView& view = *Frame().GetActiveView();
        view.setFocus();
        return view;
    }

    CCompileRuns& Runs() const { return m_app->GetCompileRuns(); }

    bool WaitForRunEnd() {
        return WaitUntil([&] {
            CCompileRunner* runner = Runs().GetRunner(ActiveDoc());
            return runner && !runner->IsRunning();
        });
    }
};

TEST_F(CompileCommands, F9SavesTheMapRunsTheStepsAndDrawsTheLeak) {
    SetProfile({"Two steps",
                {FakeStep({"--out", "qbsp ${NAME}", "--err", "leak: entity in the void", "--pts",
                           "${MAPDIR}/${NAME}.pts", "400"}),
                 FakeStep({"--out", "vis ${BSP}"})}});
    CTolveView& view = OpenRoom();
    view.FrameMap();
    MakeModified(ActiveDoc());
    ASSERT_TRUE(ActiveDoc().IsModified());

    QTest::keyClick(&view, Qt::Key_F9);
    ASSERT_TRUE(WaitForRunEnd());

    // The map was saved before the compilers read it.
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_EQ(MapText(*Read(ReadFileText(m_files.Path("room.map")))->doc), MapText(ActiveDoc()));

    CCompileLogWindow* log = Runs().GetLogWindow(ActiveDoc());
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->isVisible());
    const std::string text = log->GetLogText().toStdString();
    const std::string bsp = m_files.Path("room.bsp").string();
    const std::vector<std::string> lines = {
        "Step 1 of 2: ", "qbsp room",  "leak: entity in the void",
        "Step 2 of 2: ", "vis " + bsp, "Compile succeeded",
        "The map leaks"};
    for (const std::string& line : lines)
        EXPECT_THAT(text, HasSubstr(line));
    EXPECT_LT(text.find("qbsp room"), text.find("vis " + bsp));
    EXPECT_THAT(log->GetStatusLabel()->text().toStdString(), HasSubstr("Succeeded in"));
    EXPECT_FALSE(log->GetCancelButton()->isEnabled());

    ASSERT_TRUE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(ActiveDoc().m_pointFile->points.size(), 400u);
    EXPECT_TRUE(Frame().statusBar()->currentMessage().startsWith("Point file: 400 points"));
    Frame().RunCommand(CommandId::kFrameSelection);
    EXPECT_GT(LeakTracePixels(view), 100);
    EXPECT_TRUE(m_messages.m_boxes.empty());
}

TEST_F(CompileCommands, OneRunPerMapAndCancelEndsIt) {
    SetProfile({"Slow", {FakeStep({"--out", "working", "--sleep", "60000"}), FakeStep({})}});
    CTolveView& view = OpenRoom();
    QTest::keyClick(&view, Qt::Key_F9);
    CCompileLogWindow* log = Runs().GetLogWindow(ActiveDoc());
    ASSERT_NE(log, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return log->GetLogText().contains("\nworking"); }));

    // The keyboard stayed in the view; a second F9 shows the run under way
    // rather than starting another.
    EXPECT_EQ(QApplication::focusWidget(), &view);
    QTest::keyClick(&view, Qt::Key_F9);
    EXPECT_THAT(Frame().statusBar()->currentMessage().toStdString(),
                HasSubstr("This map is being compiled"));
    EXPECT_EQ(log->GetLogText().count("Step 1 of 2"), 1);
    EXPECT_TRUE(Runs().IsRunning(ActiveDoc()));

    QElapsedTimer cancelled;
    cancelled.start();
    QTest::mouseClick(log->GetCancelButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_LT(cancelled.elapsed(), 3000);
    EXPECT_THAT(log->GetStatusLabel()->text().toStdString(), HasSubstr("Cancelled after"));
    EXPECT_EQ(log->GetLogText().count("Step 2 of 2"), 0);
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value());

    // Closing the log leaves it a menu item away.
    QTest::mouseClick(log->GetCloseButton(), Qt::LeftButton);
    EXPECT_FALSE(log->isVisible());
    Frame().RefreshState();
    EXPECT_TRUE(Frame().GetCommands().GetAction(CommandId::kCompileLog)->isEnabled());
    Frame().RunCommand(CommandId::kCompileLog);
    EXPECT_TRUE(log->isVisible());
}

TEST_F(CompileCommands, AFailingStepIsNamedAndAnOldTraceIsLeftAlone) {
    SetProfile(
        {"Broken", {FakeStep({"--err", "bad brush", "--exit", "4"}), FakeStep({"--out", "x"})}});
    WriteFileText(m_files.Path("room.pts"), "0 0 0\n8 8 8\n");
    CTolveView& view = OpenRoom();
    QTest::keyClick(&view, Qt::Key_F9);
    ASSERT_TRUE(WaitForRunEnd());
    CCompileLogWindow* log = Runs().GetLogWindow(ActiveDoc());
    const std::string text = log->GetLogText().toStdString();
    EXPECT_THAT(text, HasSubstr("Step 1 (tolve_fake_compiler) failed with exit status 4"));
    EXPECT_EQ(text.find("Step 2 of 2"), std::string::npos);
    EXPECT_THAT(log->GetStatusLabel()->text().toStdString(), HasSubstr("Failed (exit status 4)"));
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value()) << "the trace is older than the run";
}

// The trace of an earlier run stays drawn until the compiler removes it.
TEST_F(CompileCommands, ATraceTheCompilerRemovesIsTakenFromTheViews) {
    SetProfile({"Sealed", {FakeStep({"--remove", "${MAPDIR}/${NAME}.pts"})}});
    WriteFileText(m_files.Path("room.pts"), "0 0 0\n8 8 8\n");
    CTolveView& view = OpenRoom();
    Frame().RunCommand(CommandId::kLoadPointFile);
    ASSERT_TRUE(ActiveDoc().m_pointFile.has_value());
    view.FrameMap();
    ASSERT_GT(LeakTracePixels(view), 0);
    QTest::keyClick(&view, Qt::Key_F9);
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(LeakTracePixels(view), 0);
    EXPECT_THAT(Runs().GetLogWindow(ActiveDoc())->GetLogText().toStdString(),
                HasSubstr("The compiler removed the leak trace"));
}

TEST_F(CompileCommands, AStepNeedingTheGameFolderWaitsUntilItIsSet) {
    SetProfile({"Play", {FakeStep({"--out", "${GAMEDIR}/id1/maps"})}});
    CTolveView& view = OpenRoom();
    QTest::keyClick(&view, Qt::Key_F9);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(m_messages.m_boxes[0].text,
                HasSubstr("names ${GAMEDIR}, but no game folder is set. Set it in Compile > "
                          "Profiles..."));
    EXPECT_EQ(Runs().GetRunner(ActiveDoc()), nullptr) << "nothing ran";

    StoreGameFolder(m_files.Root().string());
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_F9);
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_THAT(Runs().GetLogWindow(ActiveDoc())->GetLogText().toStdString(),
                HasSubstr("\n" + m_files.Root().string() + "/id1/maps\n"));
}

TEST_F(CompileCommands, ClosingTheMapEndsItsCompile) {
    SetProfile({"Slow", {FakeStep({"--out", "working", "--sleep", "60000"})}});
    CTolveView& view = OpenRoom();
    QTest::keyClick(&view, Qt::Key_F9);
    const CTolveDoc* doc = &ActiveDoc();
    ASSERT_TRUE(
        WaitUntil([&] { return Runs().GetLogWindow(*doc)->GetLogText().contains("\nworking"); }));
    QElapsedTimer closing;
    closing.start();
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_LT(closing.elapsed(), 3000);
    EXPECT_FALSE(Runs().IsRunning(*doc));
    EXPECT_EQ(Runs().GetLogWindow(*doc), nullptr);
    ProcessDeferredDeletes();
}

// A new map: F9 with no profile offers the usual compilers in the dialog; the
// user makes a profile of their own, and Run asks for the map's name first.
TEST_F(CompileCommands, WithoutAProfileF9OpensTheDialogThenSavesAndRuns) {
    StartApp();
    CTolveView& view = ActiveView();
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CCompileProfilesDlg&>(modal);
        ASSERT_EQ(dialog.GetProfileList()->count(), 1);
        EXPECT_EQ(dialog.GetNameEdit()->text(), "Quake");
        QTest::mouseClick(dialog.GetNewButton(), Qt::LeftButton);
        QTest::keyClicks(dialog.GetNameEdit(), "Mine");
        QTableWidget* steps = dialog.GetStepTable();
        ASSERT_EQ(steps->rowCount(), 1);
        // OK refuses a step without a program and names it.
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        steps->item(0, CCompileProfilesDlg::kProgramColumn)->setText(TOLVE_FAKE_COMPILER);
        steps->item(0, CCompileProfilesDlg::kArgumentsColumn)->setText("--out \"built ${NAME}\"");
        dialog.GetGameFolderEdit()->setText("/games/quake");
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    };
    m_saveChooser.m_answers.push_back(m_files.Path("first.map").string());
    QTest::keyClick(&view, Qt::Key_F9);
    EXPECT_THAT(dialogs.m_names, ::testing::ElementsAre("Compile Profiles"));
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(m_messages.m_boxes[0].text, HasSubstr("has no program"));
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_THAT(Runs().GetLogWindow(ActiveDoc())->GetLogText().toStdString(),
                HasSubstr("\nbuilt first\n"));
    EXPECT_EQ(ReadFileText(m_files.Path("first.map")), MapText(ActiveDoc()));

    // Both profiles were kept, as files of the documented shape.
    std::vector<std::string> problems;
    const std::vector<StoredProfile> stored =
        LoadCompileProfiles(CompileProfilesFolder(), problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].profile.name, "Mine");
    EXPECT_EQ(
        stored[0].profile.steps,
        (std::vector<CompileStep>{{TOLVE_FAKE_COMPILER, {"--out", "built ${NAME}"}, "", true}}));
    EXPECT_EQ(stored[1].profile.name, "Quake");
    EXPECT_EQ(LoadChosenProfileName(), "Mine");
    EXPECT_EQ(LoadGameFolder(), "/games/quake");
}

TEST_F(CompileCommands, TheDialogRenamesReordersAndDeletesProfiles) {
    StartApp();
    SetProfile({"First", {FakeStep({"--out", "a"}), FakeStep({"--out", "b"})}});
    ASSERT_EQ(WriteCompileProfile(CompileProfilesFolder() + "/second.json", {"Second", {}}),
              std::nullopt);
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CCompileProfilesDlg&>(modal);
        ASSERT_EQ(dialog.GetProfileList()->count(), 2);
        EXPECT_EQ(dialog.GetProfileList()->currentRow(), 0) << "the chosen profile is shown";
        QTableWidget* steps = dialog.GetStepTable();
        steps->setCurrentCell(1, CCompileProfilesDlg::kProgramColumn);
        dialog.OnMoveStep(-1);
        steps->item(0, CCompileProfilesDlg::kRunColumn)->setCheckState(Qt::Unchecked);
        dialog.GetNameEdit()->setText("Renamed");
        dialog.GetProfileList()->setCurrentRow(1);
        QTest::mouseClick(dialog.GetDeleteButton(), Qt::LeftButton);
        ASSERT_EQ(dialog.GetProfileList()->count(), 1);
        EXPECT_EQ(dialog.GetProfileList()->item(0)->text(), "Renamed");
        // The usual compilers can be added at any time, and become the choice.
        QTest::mouseClick(dialog.GetDefaultButton(), Qt::LeftButton);
        ASSERT_EQ(dialog.GetProfileList()->count(), 2);
        EXPECT_EQ(dialog.GetNameEdit()->text(), "Quake");
        EXPECT_EQ(dialog.GetStepTable()->rowCount(), 5);
        // A second one is told apart without naming another game.
        QTest::mouseClick(dialog.GetDefaultButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.GetNameEdit()->text(), "Quake (2)");
        QTest::mouseClick(dialog.GetDeleteButton(), Qt::LeftButton);
        dialog.GetProfileList()->setCurrentRow(1);
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    };
    Frame().RunCommand(CommandId::kCompileProfiles);
    std::vector<std::string> problems;
    const std::vector<StoredProfile> stored =
        LoadCompileProfiles(CompileProfilesFolder(), problems);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].profile, DefaultCompileProfile());
    EXPECT_FALSE(std::filesystem::exists(CompileProfilesFolder() + "/second.json"));
    EXPECT_EQ(stored[1].path, CompileProfilesFolder() + "/test.json") << "kept in its own file";
    EXPECT_EQ(stored[1].profile,
              (CompileProfile{"Renamed",
                              {{TOLVE_FAKE_COMPILER, {"--out", "b"}, "", false},
                               {TOLVE_FAKE_COMPILER, {"--out", "a"}, "", true}}}));
    EXPECT_EQ(LoadChosenProfileName(), "Quake");
}

} // namespace
