#include "widgets/CTolveView.h"

#include "TestSupport.h"
#include "view/CCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kLight = "{\n\"classname\" \"light\"\n\"origin\" \"-200 -150 0\"\n}\n";

QRgb Rgb32(Rgb colour) {
    return qRgb(colour.r, colour.g, colour.b);
}

struct ViewFixture {
    CTolveDoc doc;
    std::unique_ptr<CTolveView> view;
    ViewFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(CubeMapText(kLight).c_str(), diagnostics);
        view = std::make_unique<CTolveView>(doc);
        view->resize(800, 600);
        view->m_projection.m_originX = -400;
        view->m_projection.m_originY = 300;
        view->InvalidateAll();
    }
    QRgb Pixel(int x, int y) { return view->RenderNow().pixel(x, y); }
};

} // namespace

TEST(CTolveView, StartsWithTheInitialViewState) {
    CTolveDoc doc;
    CTolveView view(doc);
    EXPECT_FALSE(view.m_projection.m_threeD);
    EXPECT_FALSE(view.m_projection.m_flipped);
    EXPECT_EQ(view.m_projection.m_viewMode, kPlaneXY);
    EXPECT_EQ(view.m_projection.m_originX, -100);
    EXPECT_EQ(view.m_projection.m_originY, 100);
    EXPECT_EQ(view.m_projection.m_originZ, 100);
    EXPECT_EQ(view.m_projection.m_zoom, 1);
    EXPECT_FALSE(view.IsDragging());
    EXPECT_EQ(view.GetCoordinateText(), "x: 0, y: 0, z: 0");
    ASSERT_EQ(doc.GetViews().size(), 1u);
}

TEST(CTolveView, UnregistersFromItsDocument) {
    CTolveDoc doc;
    { CTolveView view(doc); }
    EXPECT_TRUE(doc.GetViews().empty());
}

TEST(CTolveView, PicturesTheMapInItsColours) {
    ViewFixture f;
    // The cube spans pixels 336..464 x 236..364; its left edge is navy.
    EXPECT_EQ(f.Pixel(336, 300), Rgb32(kNavy));
    // The light at (-200, -150) is a dark green disc around (200, 450).
    EXPECT_EQ(f.Pixel(200, 450), Rgb32(kDarkGreen));
    // The cross-hair through the insertion point is black, the rest white.
    EXPECT_EQ(f.Pixel(400, 100), qRgb(0, 0, 0));
    EXPECT_EQ(f.Pixel(100, 100), qRgb(255, 255, 255));
}

TEST(CTolveView, LimitsRectangleIsGrey) {
    ViewFixture f;
    f.doc.GetEditorState().SetUpperLimit({-300, 200, 25000});
    f.doc.GetEditorState().SetLowerLimit({300, -200, -25000});
    f.view->InvalidateAll();
    EXPECT_EQ(f.Pixel(100, 200), Rgb32(kGrey)); // top edge at y = 300 - 200
    EXPECT_EQ(f.Pixel(700, 450), Rgb32(kGrey)); // right edge at x = 400 + 300
}

TEST(CTolveView, IncrementalNoticeDrawsOnTopWithoutARepaint) {
    ViewFixture f;
    f.view->RenderNow();
    f.doc.GetEditorState().SetSelectedBrush(f.doc.GetWorldBrushes()[0].get());
    f.doc.UpdateAllViews(MapNotice::BrushSelection(nullptr));
    // Drawn straight into the picture: the brush is purple now.
    EXPECT_EQ(f.view->RenderNow().pixel(336, 300), Rgb32(kPurple));
    f.doc.GetEditorState().SetSelectedBrush(nullptr);
    f.doc.UpdateAllViews(MapNotice::BrushSelection(f.doc.GetWorldBrushes()[0].get()));
    EXPECT_EQ(f.view->RenderNow().pixel(336, 300), Rgb32(kNavy));
}
