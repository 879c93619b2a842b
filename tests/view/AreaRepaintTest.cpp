#include "view/AreaRepaint.h"

#include "CRecordingCanvas.h"
#include "TestSupport.h"
#include "view/CMapPainter.h"

#include <gtest/gtest.h>

namespace {

using How = AreaRepaint::How;

// An XY view at zoom 1 with pixel (0, 0) on world (0, 0): world (x, y) is
// pixel (x, -y).
CViewProjection OriginAtCorner() {
    CViewProjection projection;
    projection.m_originX = 0;
    projection.m_originY = 0;
    return projection;
}

} // namespace

TEST(AreaRepaint, TheBoxProjectedAndGrownByTheMargin) {
    const AreaRepaint plan =
        PlanAreaRepaint({{10, -20, 0}, {30, -5, 0}}, OriginAtCorner(), 3, 200, 200);
    EXPECT_EQ(plan.how, How::kPart);
    EXPECT_EQ(plan.rect, (ScreenRect{10 - 3, 5 - 3, 30 + 3, 20 + 3}));
}

TEST(AreaRepaint, DepthWidensTheRectangleOfAThreeDView) {
    CViewProjection projection = OriginAtCorner();
    projection.m_threeD = true;
    // Half the depth goes left and down: up to 10 pixels for z = 20.
    const AreaRepaint plan = PlanAreaRepaint({{10, -20, 0}, {30, -5, 20}}, projection, 0, 200, 200);
    EXPECT_EQ(plan.how, How::kPart);
    EXPECT_EQ(plan.rect, (ScreenRect{10 - 10, 5, 30, 20 + 10}));
}

TEST(AreaRepaint, TheRectangleStopsAtTheClientEdges) {
    const AreaRepaint plan =
        PlanAreaRepaint({{-50, -20, 0}, {10, -5, 0}}, OriginAtCorner(), 2, 200, 200);
    EXPECT_EQ(plan.how, How::kPart);
    EXPECT_EQ(plan.rect, (ScreenRect{0, 3, 12, 22}));
}

TEST(AreaRepaint, NothingToDoForABoxOutsideTheView) {
    EXPECT_EQ(PlanAreaRepaint({{300, -20, 0}, {400, -5, 0}}, OriginAtCorner(), 4, 200, 200).how,
              How::kNothing);
    EXPECT_EQ(PlanAreaRepaint({{10, 20, 0}, {30, 40, 0}}, OriginAtCorner(), 4, 200, 200).how,
              How::kNothing); // above the top edge
}

TEST(AreaRepaint, MostOfTheViewIsRepaintedWhole) {
    EXPECT_EQ(PlanAreaRepaint({{0, -150, 0}, {150, 0, 0}}, OriginAtCorner(), 0, 200, 200).how,
              How::kWhole);
    EXPECT_EQ(PlanAreaRepaint({{0, -90, 0}, {90, 0, 0}}, OriginAtCorner(), 0, 200, 200).how,
              How::kPart);
}

TEST(AreaRepaint, FarCoordinatesAndOddViewsAreRepaintedWhole) {
    const IntBox far{{1 << 29, 0, 0}, {(1 << 29) + 8, 8, 8}};
    EXPECT_EQ(PlanAreaRepaint(far, OriginAtCorner(), 4, 200, 200).how, How::kWhole);
    CViewProjection scrolled = OriginAtCorner();
    scrolled.m_originX = -(1 << 30);
    EXPECT_EQ(PlanAreaRepaint({{0, 0, 0}, {8, 8, 8}}, scrolled, 4, 200, 200).how, How::kWhole);
    EXPECT_EQ(PlanAreaRepaint({{0, 0, 0}, {8, 8, 8}}, OriginAtCorner(), 4, 0, 200).how,
              How::kWhole);
}

namespace {

// The cube, a slab far to its right and a light inside the cube, seen from
// above with world (0, 0) at pixel (400, 300).
struct AreaPaintFixture {
    CTolveDoc doc;
    CViewProjection projection;
    CRecordingCanvas canvas;
    AreaPaintFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(
            CubeMapText("{\n\"classname\" \"worldspawn\"\n{\n" + BoxFaceLines(300, 340, "wall") +
                        "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"16 16 0\"\n}\n"),
            diagnostics);
        projection.m_originX = -400;
        projection.m_originY = 300;
    }
    CMapPainter Painter() { return CMapPainter(doc, projection, canvas); }
};

} // namespace

TEST(CMapPainter, AnAreaOverEverythingPaintsAsMuchAsTheWhole) {
    AreaPaintFixture f;
    f.Painter().PaintAll(800, 600);
    const std::vector<CRecordingCanvas::Call> whole = f.canvas.m_calls;
    f.canvas.m_calls.clear();
    f.Painter().PaintArea({0, 0, 799, 599}, 800, 600);
    ASSERT_EQ(f.canvas.m_calls.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(f.canvas.m_calls[i].kind, whole[i].kind) << i;
        EXPECT_EQ(std::tie(f.canvas.m_calls[i].a, f.canvas.m_calls[i].b, f.canvas.m_calls[i].c,
                           f.canvas.m_calls[i].d),
                  std::tie(whole[i].a, whole[i].b, whole[i].c, whole[i].d))
            << i;
    }
}

TEST(CMapPainter, AnAreaPassesOverObjectsThatCannotReachIt) {
    AreaPaintFixture f;
    // Around the slab's left edge at pixel x = 700: the cube ends at 464 and
    // the light at 416 + 8, so only the slab is drawn, with its 8 corners
    // (4 markers: in the top view each lies over another).
    f.Painter().PaintArea({690, 290, 710, 310}, 800, 600);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kNavy), 4);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 0);
    // The light at pixel (416, 284) is drawn for an area its disc may reach
    // from outside, and not for one just beyond.
    f.canvas.m_calls.clear();
    const int32_t edge = 416 + CMapPainter::ObjectMargin(f.projection);
    f.Painter().PaintArea({edge, 280, edge + 4, 290}, 800, 600);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 1);
    f.canvas.m_calls.clear();
    f.Painter().PaintArea({edge + 1, 280, edge + 4, 290}, 800, 600);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 0);
}
