#include "CAppFixture.h"
#include "app/CQtMessageService.h"
#include "framework/CSafeFileWriter.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The room as another program leaves it: a second light, so a longer file.
const std::string kTheirRoom = std::string(kRoomMap) + R"({
"classname" "light"
"origin" "100 100 0"
}
)";

const QuestionCaptions kSaveCaptions{"Overwrite", "Save elsewhere", "Cancel", MessageAnswer::kNo};

bool SameCaptions(const QuestionCaptions& captions, const QuestionCaptions& expected) {
    return captions.yes == expected.yes && captions.no == expected.no &&
           captions.cancel == expected.cancel && captions.preferred == expected.preferred;
}

std::vector<QString> ButtonTexts(const QMessageBox& box) {
    std::vector<QString> texts;
    for (QAbstractButton* button : box.buttons())
        texts.push_back(button->text());
    std::sort(texts.begin(), texts.end());
    return texts;
}

QAbstractButton* ButtonCalled(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Answers the next message box the editor opens, as the user would, once it
// is there; looks no more once out of scope. A box the answer left open is
// closed, so that nothing waits for a person.
class CBoxAnswerer {
public:
    explicit CBoxAnswerer(std::function<void(QMessageBox&)> answer) : m_answer(std::move(answer)) {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { AnswerIfOpen(); });
        m_timer.start(1);
    }
    bool Answered() const { return m_answered; }

private:
    void AnswerIfOpen() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        m_answered = true;
        m_answer(*box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the answer left the box open";
            box->reject();
        }
    }

    std::function<void(QMessageBox&)> m_answer;
    QTimer m_timer;
    bool m_answered = false;
};

// The room open in the editor; another program may write its file while the
// map is open.
class OtherWriters : public CAppFixture {
protected:
    void OpenRoom() {
        m_path = WriteMap("room.map").toStdString();
        StartApp({QString::fromStdString(m_path)});
    }
    // The light deleted as the user deletes it: one step of the history.
    void DeleteTheLight() {
        CTolveDoc& doc = ActiveDoc();
        CMapTransaction deletion(doc, "Delete Entity");
        deletion.Edits().RemovePointEntity(*doc.GetPointEntities().front());
        deletion.Commit();
    }
    // The view of the active map, with the keyboard focus, in the active
    // main window.
    CTolveView& FocusTheView() {
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        CTolveView& view = ActiveFrame()->GetView();
        view.setFocus();
        return view;
    }
    // The user comes back to the editor from another program.
    static void ComeBack() {
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        QCoreApplication::processEvents();
    }
    void ExpectSaveQuestion(const QuestionCaptions& captions) {
        ASSERT_EQ(m_messages.m_boxes.size(), 1u);
        EXPECT_EQ(m_messages.m_boxes[0].title, "Save");
        ASSERT_EQ(m_messages.m_captions.size(), 1u);
        EXPECT_TRUE(SameCaptions(m_messages.m_captions[0], captions));
    }
    // The file as the editor reads it: the same map as `doc`.
    static void ExpectFileHolds(const std::string& path, const CTolveDoc& doc) {
        CTolveDoc reread;
        CRecordingDiagnostics diagnostics;
        ASSERT_FALSE(reread.ReadMapFile(path, diagnostics).has_value());
        EXPECT_EQ(MapText(reread), MapText(doc));
    }

    std::string m_path;
};

TEST_F(OtherWriters, SaveAsksAndOverwriteWritesTheMap) {
    OpenRoom();
    DeleteTheLight();
    WriteAsAnotherProgram(m_path, kTheirRoom);
    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "\"room.map\" was changed on disk by another program since Tolve read or saved "
              "it.\n\nOverwrite that version with this map, or save this map elsewhere and keep "
              "both?");
    ExpectFileHolds(m_path, ActiveDoc());
    EXPECT_THAT(ReadFileText(m_path), Not(HasSubstr("light")));
    EXPECT_FALSE(ActiveDoc().IsModified());

    // The file is as the editor left it: the next save asks nothing.
    CWorldKeys keys = ActiveDoc();
    keys.m_worldMessage = "again";
    CMapTransaction edit(ActiveDoc(), "World Keys");
    edit.Edits().SetWorldKeys(keys);
    edit.Commit();
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(ReadFileText(m_path), HasSubstr("again"));
}

TEST_F(OtherWriters, SaveElsewhereKeepsTheirVersionAndCancelWritesNothing) {
    OpenRoom();
    DeleteTheLight();
    WriteAsAnotherProgram(m_path, kTheirRoom);
    m_messages.m_answers = {MessageAnswer::kCancel};
    Frame().RunCommand(CommandId::kFileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_TRUE(m_saveChooser.m_requests.empty());
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom);
    EXPECT_TRUE(ActiveDoc().IsModified());

    const std::string elsewhere = m_files.Path("mine.map").string();
    m_messages.m_answers = {MessageAnswer::kNo};
    m_saveChooser.m_answers = {elsewhere};
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 2u);
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom);
    ExpectFileHolds(elsewhere, ActiveDoc());
    EXPECT_THAT(ReadFileText(elsewhere), Not(HasSubstr("light")));
    EXPECT_EQ(ActiveDoc().GetPathName(), elsewhere);
    EXPECT_FALSE(ActiveDoc().IsModified());
}

TEST_F(OtherWriters, AFileRemovedSinceItWasReadIsAskedAboutBeforeItIsWrittenAgain) {
    OpenRoom();
    DeleteTheLight();
    std::filesystem::remove(m_path);
    ComeBack();
    EXPECT_TRUE(m_messages.m_boxes.empty()) << "nothing to reload";
    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileSave);
    ExpectSaveQuestion({"Save there", "Save elsewhere", "Cancel", MessageAnswer::kNo});
    EXPECT_THAT(m_messages.m_boxes[0].text, HasSubstr("is no longer on disk"));
    ExpectFileHolds(m_path, ActiveDoc());
}

TEST_F(OtherWriters, ComingBackOffersAReloadThatOneUndoTakesBack) {
    OpenRoom();
    DeleteTheLight();
    ComeBack();
    EXPECT_TRUE(m_messages.m_boxes.empty()) << "nothing changed on disk";

    WriteAsAnotherProgram(m_path, kTheirRoom);
    m_messages.m_answers = {MessageAnswer::kYes};
    ComeBack();
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "File Changed");
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "\"room.map\" was changed on disk by another program.\n\nReload it from the "
              "file?\n\nThe changes you have not saved would be replaced; Undo brings them back.");
    EXPECT_TRUE(SameCaptions(m_messages.m_captions[0], {"Reload", "Keep mine", ""}));
    CTolveDoc& doc = ActiveDoc();
    ASSERT_EQ(doc.GetPointEntities().size(), 2u);
    EXPECT_EQ(doc.GetPointEntities()[1]->m_origin, IntPoint(100, 100, 0));
    EXPECT_FALSE(doc.IsModified()) << "the map is its file";
    EXPECT_EQ(ActiveFrame()->windowTitle(), "room.map");
    ComeBack();
    EXPECT_EQ(m_messages.m_boxes.size(), 1u) << "a reloaded file is news no more";

    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_TRUE(doc.GetPointEntities().empty()) << "the unsaved deletion is back";
    EXPECT_TRUE(doc.IsModified());
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_EQ(doc.GetPointEntities().size(), 1u);
    Frame().RunCommand(CommandId::kEditRedo);
    Frame().RunCommand(CommandId::kEditRedo);
    EXPECT_EQ(doc.GetPointEntities().size(), 2u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(OtherWriters, KeepMineIsAnsweredOncePerChangeAndLeavesTheMapToSave) {
    OpenRoom();
    WriteAsAnotherProgram(m_path, kTheirRoom);
    m_messages.m_answers = {MessageAnswer::kNo};
    ComeBack();
    ComeBack();
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(m_messages.m_boxes[0].text, Not(HasSubstr("not saved")));
    EXPECT_EQ(ActiveDoc().GetPointEntities().size(), 1u);
    // The file no longer holds the user's map: closing it would lose it.
    EXPECT_TRUE(ActiveDoc().IsModified());
    EXPECT_EQ(ActiveFrame()->windowTitle(), "room.map*");

    // The user knows of that change: saving over it asks nothing more.
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    ExpectFileHolds(m_path, ActiveDoc());
    EXPECT_FALSE(ActiveDoc().IsModified());

    WriteAsAnotherProgram(m_path, kTheirRoom);
    ComeBack();
    EXPECT_EQ(m_messages.m_boxes.size(), 2u) << "a new change is asked about";
}

TEST_F(OtherWriters, EachChangedMapIsAskedAboutOnceAndNoneWhileADialogIsOpen) {
    const QString a = WriteMap("a.map");
    const QString b = WriteMap("b.map");
    const QString c = WriteMap("c.map");
    StartApp({a, b, c});
    WriteAsAnotherProgram(a.toStdString(), kTheirRoom);
    WriteAsAnotherProgram(c.toStdString(), kTheirRoom);

    QDialog dialog(&Frame());
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    ComeBack();
    ComeBack();
    EXPECT_TRUE(m_messages.m_boxes.empty()) << "asked over a dialog";

    m_messages.m_answers = {MessageAnswer::kNo, MessageAnswer::kYes};
    dialog.accept();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::vector<std::string> asked;
    for (const CRecordingMessages::Box& box : m_messages.m_boxes)
        asked.push_back(box.text.substr(0, box.text.find(' ')));
    EXPECT_THAT(asked, ElementsAre("\"a.map\"", "\"c.map\"")) << "once the dialog closed";
    EXPECT_EQ(Docs().GetDocuments()[0]->GetPointEntities().size(), 1u) << "kept";
    EXPECT_EQ(Docs().GetDocuments()[2]->GetPointEntities().size(), 2u) << "reloaded";
    ComeBack();
    EXPECT_EQ(m_messages.m_boxes.size(), 2u);
}

// Through the window as the user works it: Ctrl+S in the view, the question
// in a real message box, its button clicked.
TEST_F(OtherWriters, CtrlSOverAChangedFileAsksAndSaveElsewhereKeepsBothVersions) {
    OpenRoom();
    CTolveView& view = FocusTheView();
    DeleteTheLight();
    WriteAsAnotherProgram(m_path, kTheirRoom);
    const std::string elsewhere = m_files.Path("mine.map").string();
    m_saveChooser.m_answers = {elsewhere};

    CQtMessageService realBoxes;
    CServiceGuard<CMessageService> useRealBoxes(realBoxes);
    QString title;
    std::vector<QString> buttons;
    QString preferred;
    CBoxAnswerer user([&](QMessageBox& box) {
        title = box.windowTitle();
        buttons = ButtonTexts(box);
        preferred = box.defaultButton() ? box.defaultButton()->text() : QString();
        if (QAbstractButton* button = ButtonCalled(box, "Save elsewhere"))
            QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(user.Answered());

    EXPECT_EQ(title, "Save");
    EXPECT_THAT(buttons, ElementsAre("Cancel", "Overwrite", "Save elsewhere"));
    EXPECT_EQ(preferred, "Save elsewhere") << "Return loses nothing";
    ASSERT_EQ(m_saveChooser.m_requests.size(), 1u);
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom) << "the other program's file is untouched";
    ExpectFileHolds(elsewhere, ActiveDoc());
    EXPECT_THAT(ReadFileText(elsewhere), HasSubstr("worldspawn"));
    EXPECT_THAT(ReadFileText(elsewhere), Not(HasSubstr("light")));
    EXPECT_EQ(ActiveFrame()->windowTitle(), "mine.map");
    EXPECT_FALSE(ActiveDoc().IsModified());
}

// Coming back to the editor: Return reloads, Ctrl+Z in the view gives back
// the map as it was, and Ctrl+S saves that over the reloaded file.
TEST_F(OtherWriters, ReturnReloadsAndCtrlZBringsBackTheMapToSaveOverTheirs) {
    OpenRoom();
    CTolveView& view = FocusTheView();
    DeleteTheLight();
    const std::string mine = MapText(ActiveDoc());
    WriteAsAnotherProgram(m_path, kTheirRoom);

    QString text;
    {
        CQtMessageService realBoxes;
        CServiceGuard<CMessageService> useRealBoxes(realBoxes);
        CBoxAnswerer user([&](QMessageBox& box) {
            text = box.text();
            QTest::keyClick(&box, Qt::Key_Return);
        });
        ComeBack();
        ASSERT_TRUE(user.Answered());
    }
    EXPECT_THAT(text.toStdString(), HasSubstr("Reload it from the file?"));
    ASSERT_EQ(ActiveDoc().GetPointEntities().size(), 2u);
    EXPECT_EQ(ActiveFrame()->windowTitle(), "room.map");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_EQ(QApplication::focusWidget(), &view) << "the focus is back where the user left it";

    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), mine);
    EXPECT_EQ(ActiveFrame()->windowTitle(), "room.map*");
    // The reloaded file is the one the editor knows: saving asks nothing.
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(m_messages.m_boxes.empty());
    ExpectFileHolds(m_path, ActiveDoc());
    EXPECT_THAT(ReadFileText(m_path), Not(HasSubstr("light")));
    EXPECT_EQ(ActiveFrame()->windowTitle(), "room.map");
}

} // namespace

// Another program appends to the map while Tolve writes it: the question comes
// then, and Cancel keeps their line; Overwrite on the next save replaces it.
TEST_F(OtherWriters, AWriteDuringTheSaveIsAskedAboutAndNothingIsLost) {
    OpenRoom();
    DeleteTheLight();
    bool appended = false;
    CSafeFileWriter::SetBeforeReplaceHook([&](const std::string& path) {
        if (!std::exchange(appended, true))
            WriteAsAnotherProgram(path, kTheirRoom);
    });
    m_messages.m_answers = {MessageAnswer::kCancel};
    Frame().RunCommand(CommandId::kFileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom);
    EXPECT_TRUE(ActiveDoc().IsModified());

    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileSave);
    CSafeFileWriter::SetBeforeReplaceHook({});
    EXPECT_EQ(m_messages.m_boxes.size(), 2u);
    ExpectFileHolds(m_path, ActiveDoc());
    EXPECT_FALSE(ActiveDoc().IsModified());
}

// A link swapped in for the map (another user of a shared folder aiming the
// save at a file of the victim's) is asked about, and Overwrite replaces the
// link, never the file it names; after Keep mine too.
TEST_F(OtherWriters, ALinkPutInPlaceOfTheMapIsNeverFollowed) {
    OpenRoom();
    DeleteTheLight();
    const std::filesystem::path victim = m_files.Path("victim.txt");
    WriteFileText(victim, "precious");
    std::filesystem::remove(m_path);
    std::filesystem::create_symlink(victim, m_path);
    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_FALSE(std::filesystem::is_symlink(m_path));
    ExpectFileHolds(m_path, ActiveDoc());

    std::filesystem::remove(m_path);
    std::filesystem::create_symlink(victim, m_path);
    m_messages.m_answers = {MessageAnswer::kNo}; // Keep mine
    ComeBack();
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 2u) << "the link was asked about on coming back";
    EXPECT_EQ(ReadFileText(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(m_path));
}
