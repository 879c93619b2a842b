#include "CAppFixture.h"
#include "widgets/CTolveView.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// One box from (0, 0, 0) to (64, 64, 64), every face at offsets 0.
constexpr const char* kBoxMap = R"({
"classname" "worldspawn"
{
( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) t 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) t 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) t 0 0 0 1 1
}
}
)";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

using TextureAlignEndToEnd = CAppFixture;

// Face mode, Shift+click a face in the top view, Alt+J twice: the face's
// texture moves two snap steps left, which the saved file says in that
// face's horizontal offset; every other byte stays as it was.
TEST_F(TextureAlignEndToEnd, TwoShiftsOfASelectedFaceAreSavedAsItsOffsetAlone) {
    // The file as the editor writes it, so that what a save leaves alone
    // is byte for byte the same.
    const std::string original = MapText(*Read(kBoxMap)->doc);
    const QString path = WriteMap("box.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    // World (x, y) at pixel (x + 100, 100 - y), one unit per pixel.
    view.m_projection = CViewProjection();
    view.InvalidateAll();

    QTest::keyClick(&view, Qt::Key_2, Qt::ControlModifier);
    const QPoint eastEdge(64 + 100, 100 - 32);
    QMouseEvent move(QEvent::MouseMove, eastEdge, view.mapToGlobal(eastEdge), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, eastEdge);
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 1u);
    QTest::keyClick(&view, Qt::Key_J, Qt::AltModifier);
    QTest::keyClick(&view, Qt::Key_J, Qt::AltModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(ActiveDoc().IsModified());

    // One face line differs, in its first texture number alone.
    const std::string savedText = ReadFileText(path.toStdString());
    const std::vector<std::string> was = Lines(original);
    const std::vector<std::string> saved = Lines(savedText);
    ASSERT_EQ(saved.size(), was.size());
    std::string expected = original;
    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] == was[i])
            continue;
        std::string line = was[i];
        const size_t offset = line.find(" t 0 ");
        ASSERT_NE(offset, std::string::npos) << line;
        line.replace(offset, 4, " t " + std::to_string(2 * ActiveDoc().GetEditorState().GetSnap()));
        expected.replace(expected.find(was[i]), was[i].size(), line);
        break;
    }
    EXPECT_NE(expected, original);
    EXPECT_EQ(savedText, expected);
}

} // namespace
