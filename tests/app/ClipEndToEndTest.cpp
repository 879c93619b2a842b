// The clip tool through the real main window: X, two clicks in the top view,
// Enter and Ctrl+S cut the brush in the file and nothing else; Ctrl+Z and
// Ctrl+S give the file back byte for byte.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

class ClipEndToEnd : public CAppFixture {};

// The text of a map without its first brush: the world's keys, then from the
// end of that brush on.
std::string WithoutFirstBrush(const std::string& text) {
    const size_t begin = text.find("\t{\n");
    const size_t end = text.find("\t}\n", begin);
    return text.substr(0, begin) + text.substr(end + 3);
}

TEST_F(ClipEndToEnd, CutsTheSelectedBrushInTheFileAndUndoGivesTheFileBack) {
    // The file as the editor writes it, so that a save of the same map gives
    // the same bytes.
    const std::string original = MapText(*Read(CubeDoorLightMapText())->doc);
    const QString path = WriteMap("clip.map", original.c_str());
    StartApp({path});
    ASSERT_NE(ActiveFrame(), nullptr);
    CTolveView& view = *Frame().GetActiveView();
    ASSERT_EQ(view.m_projection.m_viewMode, kPlaneXY);
    CentreView(view.m_projection, IntPoint(0, 0, 0), view.width(), view.height());
    view.InvalidateAll();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    view.setFocus();
    CTolveDoc& doc = ActiveDoc();
    CMapBrush& cube = *doc.GetWorldBrushes()[0];
    CSelectionSet set;
    set.Add(cube, CSelectionSet::kWholeBrush);
    doc.GetEditorState().SetSelectionSet(set);

    QTest::keyClick(&view, Qt::Key_X);
    ASSERT_NE(view.GetClipTool(), nullptr);
    auto screenOf = [&](int32_t x, int32_t y) {
        const ScreenPoint p = view.m_projection.WorldToScreen(x, y, 0);
        return QPoint(p.x, p.y);
    };
    // Across the cube's corner at (64, 64): a cut of a slanted face.
    QTest::mouseClick(&view, Qt::LeftButton, {}, screenOf(0, 96));
    QTest::mouseClick(&view, Qt::LeftButton, {}, screenOf(96, 16));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_TRUE(m_messages.m_boxes.empty());
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(view.GetClipTool(), nullptr);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);

    const std::string saved = ReadFileText(path.toStdString());
    std::unique_ptr<ReadMap> reread = Read(saved);
    const CMapBrush& cut = *reread->doc->GetWorldBrushes().at(0);
    EXPECT_EQ(cut.m_numFaces, 7);
    EXPECT_EQ(cut.m_numVertices, 10);
    EXPECT_EQ(WithoutFirstBrush(saved), WithoutFirstBrush(original));
    EXPECT_NE(saved, original);

    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(path.toStdString()), original);
}

} // namespace
