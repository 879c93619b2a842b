#include "CAppFixture.h"
#include "TestSupport.h"
#include "map/ObjectBounds.h"
#include "widgets/CTolveView.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A box from (0 0 0) to (64 64 64) and a light.
constexpr const char* kBoxMap = R"({
"classname" "worldspawn"
{
( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) a 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) a 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) a 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-64 -64 0"
}
)";

// World (x, y) at pixel (x + 100, 100 - y) in the top view, one unit per pixel.
QPoint Pixel(int x, int y) {
    return {x + 100, 100 - y};
}

class ResizeEndToEnd : public CAppFixture {
protected:
    // The map open in the top view, brush mode, the box chosen with
    // Shift+click on its west side.
    CTolveView& OpenWithTheBoxChosen() {
        m_original = MapText(*Read(kBoxMap)->doc);
        m_path = WriteMap("box.map", m_original.c_str());
        StartApp({m_path});
        ShowActive();
        CTolveView& view = *Frame().GetActiveView();
        view.m_projection = CViewProjection();
        view.InvalidateAll();
        QTest::keyClick(&view, Qt::Key_3, Qt::ControlModifier);
        MoveMouse(view, Pixel(0, 32));
        QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, Pixel(0, 32));
        EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 1u);
        return view;
    }

    static void MoveMouse(CTolveView& view, QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, buttons,
                         modifiers);
        QCoreApplication::sendEvent(&view, &move);
    }

    std::optional<IntBox> SavedBox() {
        const std::unique_ptr<ReadMap> saved = Read(ReadFileText(m_path.toStdString()));
        return BoundsOf(*BrushesInOrder(*saved->doc).at(0));
    }

    std::string m_original;
    QString m_path;
};

struct CornerDrag {
    Qt::KeyboardModifiers modifiers;
    IntPoint to;      // where the mouse lets go, in the top view's plane
    IntPoint highEnd; // the box's far corner after the drag
};

class ResizeCornerDrag : public ResizeEndToEnd, public ::testing::WithParamInterface<CornerDrag> {};

// The top-right handle shows the resize cursor; dragged and let go, the box
// is saved as the snapped box (with Shift, as wide as it is deep), and Undo
// gives back the very file.
TEST_P(ResizeCornerDrag, SavesTheSnappedBox) {
    CTolveView& view = OpenWithTheBoxChosen();
    const QPoint corner = Pixel(64, 64);
    MoveMouse(view, corner);
    EXPECT_EQ(view.cursor().shape(), Qt::SizeBDiagCursor);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, corner);
    const QPoint to = Pixel(GetParam().to.x, GetParam().to.y);
    MoveMouse(view, Pixel(80, 70), Qt::LeftButton, GetParam().modifiers);
    MoveMouse(view, to, Qt::LeftButton, GetParam().modifiers);
    QTest::mouseRelease(&view, Qt::LeftButton, GetParam().modifiers, to);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(ActiveDoc().IsModified());
    EXPECT_EQ(SavedBox(), (IntBox{IntPoint(0, 0, 0), GetParam().highEnd}));

    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(m_path.toStdString()), m_original);
}

INSTANTIATE_TEST_SUITE_P(
    PlainAndShift, ResizeCornerDrag,
    ::testing::Values(CornerDrag{Qt::NoModifier, IntPoint(97, 79, 0), IntPoint(96, 80, 64)},
                      CornerDrag{Qt::ShiftModifier, IntPoint(96, 72, 0), IntPoint(96, 96, 64)}));

TEST_F(ResizeEndToEnd, EscapeDuringTheDragTakesItBack) {
    CTolveView& view = OpenWithTheBoxChosen();
    const QPoint edge = Pixel(64, 32); // the middle of the east side
    MoveMouse(view, edge);
    EXPECT_EQ(view.cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, edge);
    MoveMouse(view, Pixel(128, 32), Qt::LeftButton);
    EXPECT_EQ(BoundsOf(*ActiveDoc().GetWorldBrushes().at(0))->max.x, 128);
    QTest::keyClick(&view, Qt::Key_Escape);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, Pixel(128, 32));
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_EQ(MapText(ActiveDoc()), m_original);
}

} // namespace
