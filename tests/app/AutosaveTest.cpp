#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/CAutosaveIndicator.h"
#include "app/CAutosaver.h"
#include "app/CCommandTable.h"
#include "app/CTolveApp.h"
#include "dialogs/CRecoveryDlg.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

class Autosave : public CAppFixture {
protected:
    void OpenCastle() {
        m_castlePath = WriteMap("castle.map");
        StartApp({m_castlePath});
        ASSERT_NE(ActiveFrame(), nullptr);
    }

    // Deletes the light with the Delete key, as a user would.
    void DeleteTheLight() {
        QCoreApplication::processEvents(); // the window shows before it takes keys
        CTolveDoc& doc = ActiveDoc();
        doc.GetEditorState().SetEditMode(kEntityMode);
        doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities().at(0).get());
        Frame().RefreshState();
        CTolveView* view = Frame().GetActiveView();
        view->FrameMap(); // Delete takes only what the view shows
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Delete);
        ASSERT_TRUE(doc.GetPointEntities().empty());
    }

    // Lets the timer go off, as it would after the interval, and waits for
    // the copies to be written.
    void RunTheTimer() {
        CAutosaver& autosaver = m_app->GetAutosaver();
        const int interval = autosaver.GetTimer().interval();
        autosaver.GetTimer().start(1);
        bool fired = false;
        auto connection =
            QObject::connect(&autosaver.GetTimer(), &QTimer::timeout, [&fired] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        while (!fired && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QObject::disconnect(connection);
        autosaver.GetTimer().start(interval);
        autosaver.WaitForCopies();
        QCoreApplication::processEvents(); // failures report back through the event loop
        ASSERT_TRUE(fired);
    }

    std::vector<fs::path> Copies() const {
        std::vector<fs::path> copies;
        if (!fs::exists(AutosaveFolder()))
            return copies;
        for (const auto& entry : fs::recursive_directory_iterator(AutosaveFolder())) {
            if (entry.path().extension() == ".map")
                copies.push_back(entry.path());
        }
        std::sort(copies.begin(), copies.end());
        return copies;
    }

    // The editor goes away without the user closing the map: what a crash
    // leaves behind.
    void EndWithoutClosing() {
        m_app.reset();
        ProcessDeferredDeletes();
    }

    // A key pressed in the active view, once the window has caught up.
    void PressInView(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QCoreApplication::processEvents();
        QTest::keyClick(Frame().GetActiveView(), key, modifiers);
    }

    CAutosaveIndicator& Indicator() const {
        auto* indicator = Frame().statusBar()->findChild<CAutosaveIndicator*>();
        EXPECT_NE(indicator, nullptr);
        return *indicator;
    }

    // Points at a toolbar button, whose prompt shows as a passing message.
    void HoverToolBarButton(CommandId id) {
        QAction* action = Frame().GetCommands().GetAction(id);
        QWidget* button = Frame().GetToolBar().widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QTest::mouseMove(button);
        QCoreApplication::processEvents();
        ASSERT_EQ(Frame().statusBar()->currentMessage(), action->statusTip());
    }

    QString m_castlePath;
};

TEST_F(Autosave, AModifiedMapIsCopiedOnTheTimerAndTheUsersFileIsUntouched) {
    OpenCastle();
    EXPECT_EQ(m_app->GetAutosaver().GetTimer().interval(), 3 * 60 * 1000);
    EXPECT_TRUE(m_app->GetAutosaver().GetTimer().isActive());
    RunTheTimer();
    EXPECT_TRUE(Copies().empty()) << "an unchanged map needs no copy";

    DeleteTheLight();
    RunTheTimer();
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(ReadFileText(Copies()[0]), MapText(ActiveDoc()));
    EXPECT_EQ(ReadFileText(m_castlePath.toStdString()), kRoomMap);
    EXPECT_TRUE(ActiveDoc().IsModified());

    RunTheTimer();
    EXPECT_EQ(Copies().size(), 1u) << "nothing changed since the last copy";
    EXPECT_TRUE(m_messages.m_boxes.empty());
}

TEST_F(Autosave, SavingOrClosingAMapTakesItsCopiesAway) {
    OpenCastle();
    DeleteTheLight();
    RunTheTimer();
    ASSERT_EQ(Copies().size(), 1u);
    PressInView(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_TRUE(Copies().empty());

    // Undo makes it modified again; closing it without saving is the user's
    // choice, so the copies go too.
    PressInView(Qt::Key_Z, Qt::ControlModifier);
    RunTheTimer();
    ASSERT_EQ(Copies().size(), 1u);
    m_messages.m_answers = {MessageAnswer::kNo};
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_TRUE(Docs().GetDocuments().empty());
    EXPECT_TRUE(Copies().empty());
}

TEST_F(Autosave, AMapLeftOpenByACrashIsOfferedAndOpensAsAModifiedUntitledCopy) {
    OpenCastle();
    DeleteTheLight();
    const std::string edited = MapText(ActiveDoc());
    RunTheTimer();
    EndWithoutClosing();
    ASSERT_EQ(Copies().size(), 1u);

    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& dialog) {
        auto& recovery = dynamic_cast<CRecoveryDlg&>(dialog);
        ASSERT_EQ(recovery.GetMapList()->topLevelItemCount(), 1);
        EXPECT_EQ(recovery.GetMapList()->topLevelItem(0)->text(0), "castle.map");
        // Return in the list presses the default button, Open.
        recovery.show();
        QTest::keyClick(recovery.GetMapList(), Qt::Key_Return);
    };
    StartApp();
    EXPECT_EQ(dialogs.m_names, std::vector<std::string>{CRecoveryDlg::kTitle});
    ASSERT_EQ(Docs().GetDocuments().size(), 1u) << "no empty new map beside the recovered one";
    CTolveDoc& doc = ActiveDoc();
    EXPECT_EQ(doc.GetTitle(), "castle (recovered).map");
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(MapText(doc), edited);
    EXPECT_EQ(ActiveFrame()->windowTitle(), "castle (recovered).map*");

    // Its copies stay until it is saved.
    EXPECT_EQ(Copies().size(), 1u);
    const std::string saved = m_files.Path("castle2.map").string();
    m_saveChooser.m_answers = {saved};
    PressInView(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(saved), edited);
    EXPECT_TRUE(Copies().empty());
}

TEST_F(Autosave, UndoInARecoveredMapNeverMakesItLookSaved) {
    OpenCastle();
    DeleteTheLight();
    RunTheTimer();
    EndWithoutClosing();

    StartApp(); // the recording runner answers the offer with Open
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    CTolveDoc& recovered = ActiveDoc();
    recovered.GetEditorState().SetEditMode(kBrushMode);
    recovered.GetEditorState().SetSelectedBrush(recovered.GetWorldBrushes().at(0).get());
    Frame().RefreshState();
    PressInView(Qt::Key_Delete);
    PressInView(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(recovered.GetWorldBrushes().size(), 1u);
    EXPECT_TRUE(recovered.IsModified());

    // So closing it still asks.
    m_messages.m_answers = {MessageAnswer::kCancel};
    Frame().RunCommand(CommandId::kFileClose);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "Save changes to \"castle (recovered).map\" before closing?");
    EXPECT_EQ(Docs().GetDocuments().size(), 1u);
}

TEST_F(Autosave, DiscardDeletesTheCopiesAndLaterKeepsThemForNextTime) {
    OpenCastle();
    DeleteTheLight();
    RunTheTimer();
    EndWithoutClosing();

    CScriptedDialogRunner later;
    later.m_script = [](CModalDialog& dialog) {
        QTest::keyClick(dynamic_cast<QDialog*>(&dialog), Qt::Key_Escape);
    };
    StartApp();
    EXPECT_EQ(later.m_names.size(), 1u);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve1");
    EndWithoutClosing();
    EXPECT_EQ(Copies().size(), 1u);

    CScriptedDialogRunner discard;
    discard.m_script = [](CModalDialog& dialog) {
        QTest::mouseClick(dynamic_cast<CRecoveryDlg&>(dialog).GetDiscardButton(), Qt::LeftButton);
    };
    m_messages.m_answers = {MessageAnswer::kYes};
    StartApp();
    EXPECT_EQ(discard.m_names.size(), 1u);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, CRecoveryDlg::kTitle);
    EXPECT_TRUE(Copies().empty());
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve1");
}

// A copy that failed used to count as made, so no copy came until the map
// changed again; its notice was a passing message that the next prompt
// replaced.
TEST_F(Autosave, AFailedCopyStaysInTheStatusBarAndIsTriedAgainAtEveryTick) {
    OpenCastle();
    DeleteTheLight();
    {
        CFileSizeLimit full(16);
        RunTheTimer();
    }
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(m_messages.m_boxes.empty()) << "autosave never stops the user";
    CAutosaveIndicator& indicator = Indicator();
    EXPECT_TRUE(indicator.isVisible());
    EXPECT_EQ(indicator.text(), "Autosave of \"castle.map\" failed");
    EXPECT_TRUE(indicator.toolTip().startsWith("Autosave of \"castle.map\" failed: File too large"))
        << indicator.toolTip().toStdString();

    HoverToolBarButton(CommandId::kFileNew);
    EXPECT_TRUE(indicator.isVisible()) << "a prompt covers no warning";
    EXPECT_EQ(indicator.text(), "Autosave of \"castle.map\" failed");

    // With room on the disk again, the next tick writes the copy that failed,
    // without another edit.
    RunTheTimer();
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(ReadFileText(Copies()[0]), MapText(ActiveDoc()));
    EXPECT_FALSE(indicator.isVisible());
    RunTheTimer();
    EXPECT_EQ(Copies().size(), 1u) << "a copy that was written is not written again";
}

// "Autosave is off" used to be a passing message drawn over the idle text, and
// stayed off for the whole run once the folder could not be made.
TEST_F(Autosave, AutosaveOffIsAPermanentItemUntilItsFolderCanBeMade) {
    WriteFileText(AutosaveFolder(), "a file where the folder should be");
    StartApp();
    CAutosaveIndicator& indicator = Indicator();
    EXPECT_TRUE(indicator.isVisible());
    EXPECT_EQ(indicator.text(), "Autosave is off");
    const std::string expectedStart =
        "Autosave is off: Cannot make the autosave folder " + AutosaveFolder().string() + ": ";
    EXPECT_EQ(indicator.toolTip().toStdString().substr(0, expectedStart.size()), expectedStart);
    EXPECT_TRUE(Frame().GetIdleLabel().isVisible());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "");

    HoverToolBarButton(CommandId::kFileOpen);
    EXPECT_TRUE(indicator.isVisible());
    EXPECT_TRUE(m_messages.m_boxes.empty());

    fs::remove(AutosaveFolder());
    m_castlePath = WriteMap("castle.map");
    Docs().OpenDocument(m_castlePath);
    DeleteTheLight();
    RunTheTimer();
    EXPECT_FALSE(indicator.isVisible());
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(ReadFileText(Copies()[0]), MapText(ActiveDoc()));
}

// Removing the autosave folder under a running editor used to let the next
// copy make it again without the run's lock: a second editor offered the
// live run's map, and its Discard deleted it.
TEST_F(Autosave, ARunWhoseFolderWasRemovedLocksItAgainAndNoOtherEditorOffersItsMap) {
    OpenCastle();
    fs::remove_all(AutosaveFolder());
    DeleteTheLight();
    RunTheTimer();
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_FALSE(Indicator().isVisible());

    CTolveApp second;
    StartupOptions options = TestOptions();
    options.singleInstance = false;
    ASSERT_TRUE(second.InitInstance(options));
    EXPECT_TRUE(m_dialogs.m_names.empty()) << "the live run's map is not offered";
    EXPECT_EQ(second.GetDocManager().GetDocuments().size(), 1u) << "only its own new map";
}

TEST_F(Autosave, ARecoveredMapClosedWithoutSavingKeepsItsCopiesForTheNextStart) {
    OpenCastle();
    DeleteTheLight();
    const std::string edited = MapText(ActiveDoc());
    RunTheTimer();
    EndWithoutClosing();

    StartApp(); // the recording runner answers the offer with Open
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    m_messages.m_answers = {MessageAnswer::kNo};
    Frame().RunCommand(CommandId::kFileClose);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_TRUE(Docs().GetDocuments().empty());
    EXPECT_EQ(Copies().size(), 1u);

    m_app.reset(); // an orderly end
    ProcessDeferredDeletes();
    StartApp();
    EXPECT_EQ(m_dialogs.m_names,
              (std::vector<std::string>{CRecoveryDlg::kTitle, CRecoveryDlg::kTitle}));
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    EXPECT_EQ(ActiveDoc().GetTitle(), "castle (recovered).map");
    EXPECT_EQ(MapText(ActiveDoc()), edited);
}

// Two copies of the demo map, each after a light was deleted, left by an
// editor that went without closing it.
class RecoveryOfBrokenCopies : public Autosave {
protected:
    void SetUp() override {
        const fs::path demo = m_files.Path("demo.map");
        fs::copy_file(fs::path(TOLVE_SAMPLES) / "demo.map", demo);
        StartApp({QString::fromStdString(demo.string())});
        ASSERT_NE(ActiveFrame(), nullptr);
        DeleteALight();
        RunTheTimer();
        m_olderText = MapText(ActiveDoc());
        DeleteALight();
        RunTheTimer();
        EndWithoutClosing();
        ASSERT_EQ(Copies().size(), 2u);
        ASSERT_EQ(ReadFileText(Copies()[0]), m_olderText);
    }

    void DeleteALight() {
        QCoreApplication::processEvents();
        CTolveDoc& doc = ActiveDoc();
        const size_t before = doc.GetPointEntities().size();
        doc.GetEditorState().SetEditMode(kEntityMode);
        doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities().at(0).get());
        Frame().GetActiveView()->FrameMap(); // Delete takes only what the view shows
        Frame().RefreshState();
        PressInView(Qt::Key_Delete);
        ASSERT_EQ(doc.GetPointEntities().size(), before - 1);
    }

    // Starts the editor, checks what the offer says of the two copies and
    // opens the map from the copy it chose.
    void RecoverWithDefaultChoice(const std::string& newestCopyProblem) {
        CScriptedDialogRunner dialogs;
        dialogs.m_script = [&newestCopyProblem](CModalDialog& dialog) {
            auto& recovery = dynamic_cast<CRecoveryDlg&>(dialog);
            ASSERT_EQ(recovery.GetMapList()->topLevelItemCount(), 1);
            QComboBox* copies = recovery.GetCopyChooser(0);
            ASSERT_EQ(copies->count(), 2);
            EXPECT_TRUE(
                copies->itemText(0).endsWith(" - " + QString::fromStdString(newestCopyProblem)))
                << copies->itemText(0).toStdString();
            EXPECT_FALSE(copies->itemText(1).contains("broken"))
                << copies->itemText(1).toStdString();
            EXPECT_EQ(copies->currentIndex(), 1) << "the intact older copy is offered";
            EXPECT_EQ(recovery.GetMapList()->topLevelItem(0)->text(2).toStdString(),
                      "the newest copy is " + newestCopyProblem);
            recovery.show();
            QTest::keyClick(recovery.GetMapList(), Qt::Key_Return);
        };
        StartApp();
        ASSERT_EQ(dialogs.m_names, std::vector<std::string>{CRecoveryDlg::kTitle});
        ASSERT_EQ(Docs().GetDocuments().size(), 1u);
        EXPECT_TRUE(m_messages.m_boxes.empty()) << "the copy opened reads cleanly";
    }

    // Saves the recovered map where the user says and reads the file back.
    void SaveAndCompare() {
        const std::string saved = m_files.Path("demo2.map").string();
        m_saveChooser.m_answers = {saved};
        PressInView(Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(ActiveDoc().IsModified());
        EXPECT_EQ(ReadFileText(saved), m_olderText);
        EXPECT_TRUE(Copies().empty()) << "saved, its copies go";
    }

    std::string m_olderText;
};

// A truncated newest copy used to open as the recovered map, half its
// brushes missing and nothing said.
TEST_F(RecoveryOfBrokenCopies, ATruncatedNewestCopyIsMarkedAndTheIntactOlderOneOpens) {
    // Cut off after the second face line of a brush a third of the way in.
    const std::string newest = ReadFileText(Copies()[1]);
    const size_t brace = newest.find("\n\t{\n", newest.size() / 3) + 1;
    ASSERT_GT(brace, 0u);
    const size_t cut = newest.find('\n', newest.find('\n', brace + 2) + 1) + 1;
    WriteFileText(Copies()[1], newest.substr(0, cut));
    const long braceLine = std::count(newest.begin(), newest.begin() + brace, '\n') + 1;

    RecoverWithDefaultChoice("broken at line " + std::to_string(braceLine) +
                             ": Brush is not closed at the end of the file");
    EXPECT_EQ(MapText(ActiveDoc()), m_olderText);
    EXPECT_EQ(Copies().size(), 2u) << "both copies stay until the map is saved";
    SaveAndCompare();
}

// An empty newest copy used to open as an empty map.
TEST_F(RecoveryOfBrokenCopies, AnEmptyNewestCopyIsMarkedAndTheIntactOlderOneOpens) {
    WriteFileText(Copies()[1], "");
    RecoverWithDefaultChoice("broken: The file is empty");
    EXPECT_EQ(MapText(ActiveDoc()), m_olderText);
    SaveAndCompare();
}

TEST_F(RecoveryOfBrokenCopies, AnOlderCopyCanBeChosenWithTheKeyboard) {
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& dialog) {
        auto& recovery = dynamic_cast<CRecoveryDlg&>(dialog);
        recovery.show();
        recovery.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&recovery));
        QComboBox* copies = recovery.GetCopyChooser(0);
        EXPECT_EQ(copies->currentIndex(), 0) << "both read cleanly: the newest is offered";
        // Tab goes from the list to the copies, Down picks the older one and
        // Return still opens.
        QTest::keyClick(recovery.GetMapList(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), copies);
        QTest::keyClick(copies, Qt::Key_Down);
        EXPECT_EQ(copies->currentIndex(), 1);
        QTest::keyClick(copies, Qt::Key_Return);
    };
    StartApp();
    EXPECT_EQ(dialogs.m_names.size(), 1u);
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    EXPECT_EQ(MapText(ActiveDoc()), m_olderText);
    EXPECT_EQ(Copies().size(), 2u);
}

TEST(AutosaveTitles, ARecoveredCopyIsNamedAfterItsMap) {
    EXPECT_EQ(CAutosaver::RecoveredTitle("castle.map"), "castle (recovered).map");
    EXPECT_EQ(CAutosaver::RecoveredTitle("Tolve3"), "Tolve3 (recovered)");
    EXPECT_EQ(CAutosaver::RecoveredTitle(".map"), ".map (recovered)");
    EXPECT_EQ(CAutosaver::RecoveredTitle("castle (recovered).map"), "castle (recovered).map");
    EXPECT_EQ(CAutosaver::RecoveredTitle("Tolve3 (recovered)"), "Tolve3 (recovered)");
}

} // namespace
