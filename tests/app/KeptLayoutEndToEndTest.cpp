// Saves through the real main window change only the text of what was edited:
// the file's comments, indentation and line ends stay.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "map/ObjectBounds.h"
#include "widgets/CTolveView.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A box from x0 to x1 along x, 0 to 64 along y and z, with a numbered comment
// before it, indented by tabs.
std::string CommentedBox(int number, int x0, int x1) {
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    const std::string rest = " floor 0 0 0 1 1\r\n";
    return "// brush " + std::to_string(number) + "\r\n\t{\r\n\t\t( " + a + " 0 1 ) ( " + a +
           " -1 0 ) ( " + a + " 0 0 )" + rest + "\t\t( " + b + " 0 1 ) ( " + b + " 1 0 ) ( " + b +
           " 0 0 )" + rest + "\t\t( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" + rest +
           "\t\t( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + rest + "\t\t( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" +
           rest + "\t\t( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + rest + "\t}\r\n";
}

// Three cubes in a row, a light, and a comment at the end, with CRLF line ends.
const std::string kMap =
    "// Game: Quake\r\n// entity 0\r\n{\r\n\t\"classname\" \"worldspawn\"\r\n" +
    CommentedBox(0, 0, 64) + CommentedBox(1, 128, 192) + CommentedBox(2, 2000, 2064) +
    "}\r\n// entity 1\r\n{\r\n\t\"classname\" \"light\"\r\n\t\"origin\" "
    "\"32 -100 32\"\r\n}\r\n// end of map\r\n";

class KeptLayoutEndToEnd : public CAppFixture {
protected:
    void Open() {
        m_path = WriteMap("kept.map", kMap.c_str());
        StartApp({m_path});
        Frame().resize(1000, 720);
        ActiveFrame()->showMaximized();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        View().setFocus();
        // World (x, y) at pixel (x + 100, 100 - y), one unit per pixel.
        View().m_projection = CViewProjection();
        View().InvalidateAll();
    }
    CTolveView& View() const { return *Frame().GetActiveView(); }
    CTolveDoc& Doc() const { return ActiveDoc(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), static_cast<Qt::Key>(key), modifiers);
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, View().mapToGlobal(at), button, held, Qt::ShiftModifier);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void ShiftClick(QPoint at) {
        Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    QString m_path;
};

TEST_F(KeptLayoutEndToEnd, NudgedBrushIsAllASaveChangesInTheFilesOwnLayout) {
    Open();
    Key(Qt::Key_3, Qt::ControlModifier);
    ShiftClick({192 + 100, 100 - 64});
    CMapBrush& nudged = *Doc().GetWorldBrushes().at(1);
    ASSERT_TRUE(Doc().GetEditorState().GetSelectionSet().Contains(nudged));
    Key(Qt::Key_Right, Qt::AltModifier);
    ASSERT_EQ(BoundsOf(nudged)->min.x, 136);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Frame().statusBar()->currentMessage().contains("whole"));

    // The brush's face lines, from the first to its closing brace, are all
    // that differ; its comment stays, and so does every other line.
    const std::string saved = ReadFileText(m_path.toStdString());
    const size_t faces = kMap.find("\t\t(", kMap.find("// brush 1"));
    const size_t after = kMap.find("\t}", faces);
    ASSERT_TRUE(saved.starts_with(kMap.substr(0, faces)));
    ASSERT_TRUE(saved.ends_with(kMap.substr(after)));
    const std::string written = saved.substr(faces, saved.size() - faces - (kMap.size() - after));
    EXPECT_NE(written.find(" 136 "), std::string::npos) << written;
    EXPECT_EQ(written.find(" 128 "), std::string::npos) << written;
    size_t lines = 0;
    for (size_t at = written.find('\n'); at != std::string::npos; at = written.find('\n', at + 1)) {
        EXPECT_EQ(written[at - 1], '\r');
        EXPECT_EQ(written.substr(at + 1, 3), at + 1 == written.size() ? "" : "\t\t(");
        ++lines;
    }
    EXPECT_EQ(lines, 6u);
}

// Saved in the other form, the map is written whole and the status bar says
// why; the next save keeps the text that save wrote.
TEST_F(KeptLayoutEndToEnd, SaveInTheOtherFormSaysTheFileWasWrittenWhole) {
    Open();
    const std::string valve = m_files.Path("valve.map").string();
    m_saveChooser.m_answers = {valve};
    m_saveChooser.m_kindAnswers = {1};
    ASSERT_TRUE(Docs().SaveDocumentAs(Doc()));
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(),
              "Saved \"valve.map\" whole, not only what changed: its face lines are saved in "
              "another form.");
    const std::string whole = ReadFileText(valve);
    EXPECT_NE(whole.find("\"mapversion\" \"220\""), std::string::npos);
    EXPECT_EQ(whole.find("// brush"), std::string::npos);

    Frame().statusBar()->clearMessage();
    View().setFocus();
    Key(Qt::Key_3, Qt::ControlModifier);
    ShiftClick({192 + 100, 100 - 64});
    Key(Qt::Key_Right, Qt::AltModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), QString());
    const std::string saved = ReadFileText(valve);
    EXPECT_TRUE(saved.starts_with(whole.substr(0, whole.find("{\n\t\t(")))) << saved;
}

} // namespace
