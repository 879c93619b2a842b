#include "view/ViewNavigation.h"

#include "TestSupport.h"
#include "map/CMapTransaction.h"
#include "widgets/CTolveView.h"
#include "widgets/CViewPane.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr const char* kFarLight = "{\n\"classname\" \"light\"\n\"origin\" \"-3000 900 -40\"\n}\n";

struct PlaneCase {
    int32_t plane;
    bool flipped;
};

const PlaneCase kPlanes[] = {{kPlaneXY, false}, {kPlaneXZ, false}, {kPlaneYZ, false},
                             {kPlaneXY, true},  {kPlaneXZ, true},  {kPlaneYZ, true}};

std::string Describe(const PlaneCase& c, int32_t zoom) {
    return std::string("plane ") + std::to_string(c.plane) + (c.flipped ? " flipped" : "") +
           " zoom " + std::to_string(zoom);
}

void TurnWheel(QWidget& widget, QPoint at, int angle) {
    QWheelEvent event(QPointF(at), QPointF(widget.mapToGlobal(at)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

struct ViewFixture {
    CTolveDoc doc;
    std::unique_ptr<CTolveView> view;
    explicit ViewFixture(const std::string& mapText = CubeMapText(kFarLight)) {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(mapText.c_str(), diagnostics);
        view = std::make_unique<CTolveView>(doc);
        view->resize(800, 600);
    }
    CViewProjection& P() { return view->m_projection; }
};

// Every corner of the bounds lands inside the client area.
void ExpectBoundsInside(const CViewProjection& p, const MapBounds& b, int w, int h,
                        const std::string& what) {
    for (int corner = 0; corner < 8; ++corner) {
        IntPoint c((corner & 1) ? b.hi.x : b.lo.x, (corner & 2) ? b.hi.y : b.lo.y,
                   (corner & 4) ? b.hi.z : b.lo.z);
        ScreenPoint s = p.WorldToScreen(c);
        EXPECT_TRUE(s.x >= 0 && s.x < w && s.y >= 0 && s.y < h)
            << what << ": corner " << corner << " at " << s.x << "," << s.y;
    }
}

} // namespace

TEST(WheelZoom, KeepsTheWorldPointUnderTheMouseInEveryPlane) {
    const QPoint anchors[] = {{123, 457}, {0, 0}, {799, 1}, {400, 300}};
    for (const PlaneCase& c : kPlanes) {
        for (int32_t zoom : {2, 4, 64}) {
            for (QPoint anchor : anchors) {
                ViewFixture f;
                f.P().m_viewMode = c.plane;
                f.P().m_flipped = c.flipped;
                f.P().m_zoom = zoom;
                f.P().m_originX = -1237;
                f.P().m_originY = 913;
                f.P().m_originZ = 405;
                const IntPoint under = f.view->ScreenToWorld(anchor.x(), anchor.y());
                const std::string what = Describe(c, zoom);

                TurnWheel(*f.view, anchor, 120); // one notch away from the user: in
                EXPECT_EQ(f.P().m_zoom, zoom / 2) << what;
                EXPECT_EQ(f.view->ScreenToWorld(anchor.x(), anchor.y()), under) << what;
                EXPECT_EQ(f.P().WorldToScreen(under), (ScreenPoint{anchor.x(), anchor.y()}))
                    << what;

                TurnWheel(*f.view, anchor, -240); // two notches out
                EXPECT_EQ(f.P().m_zoom, zoom * 2) << what;
                EXPECT_EQ(f.view->ScreenToWorld(anchor.x(), anchor.y()), under) << what;
            }
        }
    }
}

TEST(WheelZoom, StopsAtSixteenPixelsAUnitAndSumsSmallTouchpadSteps) {
    ViewFixture f;
    f.P().m_magnify = 16;
    const CViewProjection before = f.P();
    TurnWheel(*f.view, {300, 200}, 120);
    EXPECT_EQ(f.P().m_magnify, 16);
    EXPECT_EQ(f.P().m_originX, before.m_originX);
    EXPECT_EQ(f.P().m_originY, before.m_originY);
    f.P().m_magnify = 1;

    for (int i = 0; i < 3; ++i)
        TurnWheel(*f.view, {300, 200}, -40);
    EXPECT_EQ(f.P().m_zoom, 2); // three thirds of a notch make one
    TurnWheel(*f.view, {300, 200}, -60);
    EXPECT_EQ(f.P().m_zoom, 2);
}

TEST(MiddleDrag, PansThePictureWithTheMouse) {
    for (const PlaneCase& c : kPlanes) {
        ViewFixture f;
        f.P().m_viewMode = c.plane;
        f.P().m_flipped = c.flipped;
        f.P().m_zoom = 4;
        const IntPoint grabbed = f.view->ScreenToWorld(100, 100);
        SendMouse(*f.view, QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton,
                  Qt::MiddleButton);
        SendMouse(*f.view, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::MiddleButton);
        SendMouse(*f.view, QEvent::MouseMove, {150, 60}, Qt::NoButton, Qt::MiddleButton);
        SendMouse(*f.view, QEvent::MouseButtonRelease, {150, 60}, Qt::MiddleButton, Qt::NoButton);
        EXPECT_EQ(f.view->ScreenToWorld(150, 60), grabbed) << Describe(c, 4);
        EXPECT_FALSE(f.view->IsDragging());
        EXPECT_FALSE(f.doc.IsModified());

        // Moves after the release select again instead of panning.
        const int32_t originX = f.P().m_originX;
        SendMouse(*f.view, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(f.P().m_originX, originX);
    }
}

TEST(FrameMap, FitsTheSampleMapInEveryPlaneAtTheSmallestZoom) {
    const std::string text = ReadFileText(std::filesystem::path(TOLVE_SAMPLES) / "demo.map");
    for (const PlaneCase& c : kPlanes) {
        ViewFixture f(text);
        const std::optional<MapBounds> bounds = FindMapBounds(f.doc);
        ASSERT_TRUE(bounds);
        f.P().m_viewMode = c.plane;
        f.P().m_flipped = c.flipped;
        f.view->FrameMap();
        const std::string what = Describe(c, f.P().m_zoom);
        ExpectBoundsInside(f.P(), *bounds, 800, 600, what);
        // Not zoomed out further than needed: the map fills nearly half the
        // view across or down, or it would fit at half the zoom.
        ASSERT_GT(f.P().m_zoom, 1) << what;
        const ScreenPoint a = f.P().WorldToScreen(bounds->lo), b = f.P().WorldToScreen(bounds->hi);
        EXPECT_TRUE(std::abs(a.x - b.x) * 100 > 800 * 45 || std::abs(a.y - b.y) * 100 > 600 * 45)
            << what;
    }
}

TEST(FrameMap, CentresAnEmptyMapOnTheWorldOriginAtZoomOne) {
    for (const PlaneCase& c : kPlanes) {
        ViewFixture f("");
        f.P().m_viewMode = c.plane;
        f.P().m_flipped = c.flipped;
        f.P().m_zoom = 32;
        f.view->FrameMap();
        EXPECT_EQ(f.P().m_zoom, 1);
        EXPECT_EQ(f.P().WorldToScreen(0, 0, 0), (ScreenPoint{400, 300})) << Describe(c, 1);
    }
}

TEST(ScrollBars, SpanTheMapAndFollowTheArrowKeys) {
    for (const PlaneCase& c : kPlanes) {
        ViewFixture f;
        f.P().m_viewMode = c.plane;
        f.P().m_flipped = c.flipped;
        CTolveView* view = f.view.release();
        CViewPane pane(view);
        pane.resize(816, 616);
        pane.show();
        view->FrameMap();
        QScrollBar& across = pane.GetHorizontalBar();
        QScrollBar& down = pane.GetVerticalBar();
        const std::string what = Describe(c, view->m_projection.m_zoom);
        // The map lies wholly inside the bars' span.
        const MapBounds b = *FindMapBounds(f.doc);
        const int32_t zoom = view->m_projection.m_zoom;
        EXPECT_EQ(across.pageStep(), view->width() * zoom) << what;
        EXPECT_EQ(across.singleStep(), 8 * zoom) << what;
        const int spanAcross = across.maximum() + across.pageStep() - across.minimum();
        const int mapAcross = c.plane == kPlaneYZ ? b.hi.y - b.lo.y : b.hi.x - b.lo.x;
        EXPECT_GT(spanAcross, mapAcross) << what;
        const int spanDown = down.maximum() + down.pageStep() - down.minimum();
        const int mapDown = c.plane == kPlaneXY ? b.hi.y - b.lo.y : b.hi.z - b.lo.z;
        EXPECT_GT(spanDown, mapDown) << what;

        const int acrossValue = across.value(), downValue = down.value();
        view->m_projection.ScrollRight();
        view->m_projection.ScrollDown();
        view->InvalidateAll();
        EXPECT_EQ(across.value(), acrossValue + across.singleStep()) << what;
        EXPECT_EQ(down.value(), downValue + down.singleStep()) << what;

        // Moving a bar scrolls the view: the world point at the left edge moves
        // right by as much.
        const IntPoint left = view->ScreenToWorld(0, 0);
        across.setValue(across.value() - 80 * zoom);
        const ScreenPoint now = view->m_projection.WorldToScreen(left);
        EXPECT_EQ(now.x, 80) << what;
        EXPECT_EQ(now.y, 0) << what;
        down.setValue(down.value() + 40 * zoom);
        EXPECT_EQ(view->m_projection.WorldToScreen(left).y, -40) << what;
    }
}

// The scroll bars' extent comes from the box index, not a walk of the map: it
// must be the map's box when read, and grow with a brush moved far away.
TEST(ScrollBars, TheirExtentIsTheMapsAndFollowsABrushMovedFarAway) {
    ViewFixture f(ReadFileText(std::filesystem::path(TOLVE_SAMPLES) / "demo.map"));
    const MapBounds read = *FindMapBounds(f.doc);
    const MapBounds extent = *FindMapExtent(f.doc);
    EXPECT_EQ(extent.lo, read.lo);
    EXPECT_EQ(extent.hi, read.hi);

    CMapTransaction move(f.doc, "Move");
    move.Edits().MoveBrush(*f.doc.GetWorldBrushes().back(), IntPoint(0, 0, 3000));
    move.Commit();
    EXPECT_EQ(FindMapExtent(f.doc)->hi.z, FindMapBounds(f.doc)->hi.z);
}
