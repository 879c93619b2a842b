#include "CAppFixture.h"
#include "app/CDocHistory.h"
#include "app/CPointEntityInsertionStep.h"
#include "app/CQtMessageService.h"
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

const QuestionCaptions kSaveCaptions{"Overwrite", "Save elsewhere", "Cancel", MessageAnswer::No};

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
        Docs().GetHistory(doc).Perform(CPointEntityInsertionStep::Removing(
            doc, QStringLiteral("Delete Entity"), *doc.m_pointEntities.front()));
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
    m_messages.m_answers = {MessageAnswer::Yes};
    Frame().RunCommand(CommandId::FileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "\"room.map\" was changed on disk by another program since Tolve read or saved "
              "it.\n\nOverwrite that version with this map, or save this map elsewhere and keep "
              "both?");
    EXPECT_EQ(ReadFileText(m_path), MapText(ActiveDoc()));
    EXPECT_THAT(ReadFileText(m_path), Not(HasSubstr("light")));
    EXPECT_FALSE(ActiveDoc().IsModified());

    // The file is as the editor left it: the next save asks nothing.
    ActiveDoc().m_worldMessage = "again";
    ActiveDoc().SetModifiedFlag(true);
    Frame().RunCommand(CommandId::FileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(ReadFileText(m_path), HasSubstr("again"));
}

TEST_F(OtherWriters, SaveElsewhereKeepsTheirVersionAndCancelWritesNothing) {
    OpenRoom();
    DeleteTheLight();
    WriteAsAnotherProgram(m_path, kTheirRoom);
    m_messages.m_answers = {MessageAnswer::Cancel};
    Frame().RunCommand(CommandId::FileSave);
    ExpectSaveQuestion(kSaveCaptions);
    EXPECT_TRUE(m_saveChooser.m_requests.empty());
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom);
    EXPECT_TRUE(ActiveDoc().IsModified());

    const std::string elsewhere = m_files.Path("mine.map").string();
    m_messages.m_answers = {MessageAnswer::No};
    m_saveChooser.m_answers = {elsewhere};
    Frame().RunCommand(CommandId::FileSave);
    EXPECT_EQ(m_messages.m_boxes.size(), 2u);
    EXPECT_EQ(ReadFileText(m_path), kTheirRoom);
    EXPECT_EQ(ReadFileText(elsewhere), MapText(ActiveDoc()));
    EXPECT_THAT(ReadFileText(elsewhere), Not(HasSubstr("light")));
    EXPECT_EQ(ActiveDoc().GetPathName(), elsewhere);
    EXPECT_FALSE(ActiveDoc().IsModified());
}

TEST_F(OtherWriters, AFileRemovedSinceItWasReadIsAskedAboutBeforeItIsWrittenAgain) {
    OpenRoom();
    DeleteTheLight();
    std::filesystem::remove(m_path);
    m_messages.m_answers = {MessageAnswer::Yes};
    Frame().RunCommand(CommandId::FileSave);
    ExpectSaveQuestion({"Save there", "Save elsewhere", "Cancel", MessageAnswer::No});
    EXPECT_THAT(m_messages.m_boxes[0].text, HasSubstr("is no longer on disk"));
    EXPECT_EQ(ReadFileText(m_path), MapText(ActiveDoc()));
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

} // namespace
