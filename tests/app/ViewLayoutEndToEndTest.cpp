#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/AppSettings.h"
#include "app/CCommandTable.h"
#include "map/FaceFlatness.h"
#include "widgets/CTolveView.h"

#include <QLabel>
#include <QMdiArea>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

class ViewLayoutEndToEnd : public CAppFixture {
protected:
    // Opens the room the way a user does, with the layout setting as given
    // (none: the default).
    void Open(const char* layout) {
        if (layout)
            OpenAppSettings().setValue("Views/Layout", QString::fromLatin1(layout));
        else
            OpenAppSettings().remove("Views/Layout");
        m_path = WriteMap("room.map");
        StartApp({m_path});
        Frame().resize(1200, 800);
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    std::vector<CChildFrame*> Frames() const { return Docs().GetFrames(ActiveDoc()); }
    CTolveView& View() const { return *Frame().GetActiveView(); }

    // Every corner of the room and the light lie inside the view's client
    // area: the view is framed on the whole map.
    static void ExpectShowsTheWholeMap(const CTolveView& view) {
        const CTolveDoc& doc = view.GetDocument();
        auto inside = [&](const IntPoint& p) {
            const ScreenPoint s = view.m_projection.WorldToScreen(p);
            return s.x >= 0 && s.y >= 0 && s.x < view.width() && s.y < view.height();
        };
        const CMapBrush& room = *doc.GetWorldBrushes().at(0);
        for (int v = 0; v < room.m_numVertices; ++v)
            EXPECT_TRUE(inside(room.m_vertices[v])) << view.m_projection.m_viewMode;
        EXPECT_TRUE(inside(doc.GetPointEntities().at(0)->m_origin));
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, View().mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void Wheel(QPoint at, int angle) {
        QWheelEvent event(QPointF(at), QPointF(View().mapToGlobal(at)), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&View(), &event);
    }
    QPoint PixelOf(const IntPoint& p) const {
        const ScreenPoint s = View().m_projection.WorldToScreen(p);
        return {s.x, s.y};
    }

    QString m_path;
};

} // namespace

// The default: top, front and side views tiling the workspace, each framed on
// the map; the wheel magnifies past one to one about the pointer; a corner
// dragged in the top view takes its whole vertical edge along, and the saved
// brush is the one drawn, every face flat.
TEST_F(ViewLayoutEndToEnd, ThreeFramedViewsMagnifyAndATopViewCornerDragSavesAFlatBrush) {
    Open(nullptr);
    const std::vector<CChildFrame*> frames = Frames();
    ASSERT_EQ(frames.size(), 3u);
    const QRect workspace(QPoint(), Frame().GetMdiArea().viewport()->size());
    QRegion covered;
    for (size_t i = 0; i < frames.size(); ++i) {
        const CTolveView& view = frames[i]->GetView();
        EXPECT_EQ(view.m_projection.m_viewMode, static_cast<int32_t>(i));
        EXPECT_TRUE(workspace.contains(frames[i]->geometry())) << i;
        EXPECT_FALSE(covered.intersects(frames[i]->geometry())) << i;
        covered += frames[i]->geometry();
        ExpectShowsTheWholeMap(view);
    }
    EXPECT_EQ(frames[0]->windowTitle(), "room.map:1");
    ASSERT_EQ(ActiveFrame(), frames[0]);

    // Three notches in, about the room's corner: it stays under the pointer.
    Frame().RunCommand(CommandId::kCornerMode);
    const IntPoint corner(64, 64, 64);
    const QPoint at = PixelOf(corner);
    for (int notch = 0; notch < 3; ++notch)
        Wheel(at, 120);
    ASSERT_TRUE(View().m_projection.IsMagnified()) << View().m_projection.ScaleText();
    EXPECT_EQ(View().ScreenToWorld(at.x(), at.y()).x, 64);
    EXPECT_EQ(View().ScreenToWorld(at.x(), at.y()).y, 64);
    EXPECT_TRUE(Frame().GetScalePane().text().endsWith(
        QString::fromStdString(View().m_projection.ScaleText())));

    // One snap step (8 units) to the right, in pixels of the magnified view.
    const QPoint to = at + QPoint(8 * View().m_projection.m_magnify, 0);
    Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ActiveDoc().IsModified());

    CTolveDoc saved;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(saved.ReadMapFile(m_path.toStdString(), diagnostics).has_value());
    const CMapBrush& room = *saved.GetWorldBrushes().at(0);
    EXPECT_EQ(CountNonFlatFaces(room), 0);
    int moved = 0, left = 0;
    for (int v = 0; v < room.m_numVertices; ++v) {
        moved += room.m_vertices[v].x == 72 && room.m_vertices[v].y == 64;
        left += room.m_vertices[v].x == 64 && room.m_vertices[v].y == 64;
    }
    EXPECT_EQ(moved, 2); // the top and the bottom of the edge
    EXPECT_EQ(left, 0);
}

// "single" keeps one framed top view; New Window then opens the front view
// and the side view, each framed, the plane after the active view's.
TEST_F(ViewLayoutEndToEnd, SingleOpensOneTopViewAndNewWindowTheNextPlanes) {
    Open("single");
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(View().m_projection.m_viewMode, kPlaneXY);
    ExpectShowsTheWholeMap(View());
    for (int32_t plane : {kPlaneXZ, kPlaneYZ, kPlaneXY}) {
        Frame().RunCommand(CommandId::kWindowNew);
        EXPECT_EQ(View().m_projection.m_viewMode, plane);
        ExpectShowsTheWholeMap(View());
    }
    EXPECT_EQ(Frames().size(), 4u);
}

// A view the user has moved keeps its picture when the window is resized; an
// untouched one is framed again.
TEST_F(ViewLayoutEndToEnd, ResizingReframesOnlyViewsNotMovedSince) {
    Open("single");
    CChildFrame& frame = *ActiveFrame();
    frame.resize(frame.width() / 2, frame.height() / 2);
    ExpectShowsTheWholeMap(View());
    QTest::keyClick(&View(), Qt::Key_Equal);
    const CViewProjection zoomed = View().m_projection;
    frame.resize(frame.width() * 2, frame.height() * 2);
    EXPECT_TRUE(View().m_projection.ShowsTheSameAs(zoomed));
}
