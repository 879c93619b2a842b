#include "CAppFixture.h"
#include "TestSupport.h"
#include "map/ConvexPiece.h"
#include "widgets/CTolveView.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A wall from (0 0 0) to (256 16 128), then a box through its middle.
constexpr const char* kWallAndCutterMap = R"({
"classname" "worldspawn"
{
( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) wall 0 0 0 1 1
( 256 0 1 ) ( 256 1 0 ) ( 256 0 0 ) wall 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) wall 0 0 0 1 1
( 0 16 1 ) ( -1 16 0 ) ( 0 16 0 ) wall 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) wall 0 0 0 1 1
( 0 1 128 ) ( 1 0 128 ) ( 0 0 128 ) wall 0 0 0 1 1
}
{
( 96 0 1 ) ( 96 -1 0 ) ( 96 0 0 ) cut 0 0 0 1 1
( 160 0 1 ) ( 160 1 0 ) ( 160 0 0 ) cut 0 0 0 1 1
( 0 -8 1 ) ( 1 -8 0 ) ( 0 -8 0 ) cut 0 0 0 1 1
( 0 24 1 ) ( -1 24 0 ) ( 0 24 0 ) cut 0 0 0 1 1
( 0 1 32 ) ( -1 0 32 ) ( 0 0 32 ) cut 0 0 0 1 1
( 0 1 96 ) ( 1 0 96 ) ( 0 0 96 ) cut 0 0 0 1 1
}
}
)";

using CsgEndToEnd = CAppFixture;

// Brush mode, Shift+click the wall, then the cutter, in the top view; Shift+S
// cuts the cutter out of the wall, which the saved file holds as pieces; Undo
// gives back the very file it was.
TEST_F(CsgEndToEnd, SubtractIsSavedAsPiecesAndUndoneToTheSameFile) {
    const std::string original = MapText(*Read(kWallAndCutterMap)->doc);
    const QString path = WriteMap("wall.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    // World (x, y) at pixel (x + 100, 100 - y), one unit per pixel.
    view.m_projection = CViewProjection();
    view.InvalidateAll();
    QTest::keyClick(&view, Qt::Key_3, Qt::ControlModifier);
    auto shiftClick = [&view](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, at);
    };
    shiftClick(QPoint(0 + 100, 100 - 8));    // the wall's west side
    shiftClick(QPoint(160 + 100, 100 - 20)); // the cutter's east side, beyond the wall
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 2u);
    QTest::keyClick(&view, Qt::Key_S, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(ActiveDoc().IsModified());

    const std::unique_ptr<ReadMap> saved = Read(ReadFileText(path.toStdString()));
    const std::vector<const CMapBrush*> brushes = BrushesInOrder(*saved->doc);
    ASSERT_EQ(brushes.size(), 5u); // four pieces and the cutter
    double volume = 0.0;
    for (const CMapBrush* brush : brushes)
        volume += BrushVolume(*brush);
    const double cutter = 64.0 * 32 * 64;
    EXPECT_DOUBLE_EQ(volume, 256.0 * 16 * 128 - 64.0 * 16 * 64 + cutter);

    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(path.toStdString()), original);
}

} // namespace
