#include "view/CMapPainter.h"
#include "map/CMapDefinitions.h"
#include "view/ViewNavigation.h"

#include "BoxBrushText.h"
#include "CRecordingCanvas.h"
#include "TestSupport.h"
#include "map/CMapTransaction.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The cube in the world, a door brush beside it and a light.
const std::string kTwoCubes = CubeMapText(R"({
"classname" "func_door"
{
( 100 0 1 ) ( 100 -1 0 ) ( 100 0 0 ) wall 0 0 0 1 1
( 200 0 1 ) ( 200 1 0 ) ( 200 0 0 ) wall 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) wall 0 0 0 1 1
( 0 50 1 ) ( -1 50 0 ) ( 0 50 0 ) wall 0 0 0 1 1
( 0 1 100 ) ( -1 0 100 ) ( 0 0 100 ) floor 0 0 0 1 1
( 0 1 200 ) ( 1 0 200 ) ( 0 0 200 ) floor 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "16 32 48"
}
)");

// A box's twelve edges show as four lines in a flat view: its top square lies
// over its bottom one, and its uprights are points, which the markers show.
constexpr int kBoxLinesInAFlatView = 4;

struct PaintFixture {
    CTolveDoc doc;
    CViewProjection projection;
    CRecordingCanvas canvas;
    PaintFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(kTwoCubes.c_str(), diagnostics);
        projection.m_originX = -400;
        projection.m_originY = 300;
    }
    CMapPainter Painter() { return CMapPainter(doc, projection, canvas); }
    CMapBrush& World() { return *doc.GetWorldBrushes()[0]; }
    CMapBrush& Door() { return *doc.GetModelEntities()[0]->m_brushes[0]; }
};

} // namespace

TEST(CMapPainter, FullRepaintOrder) {
    PaintFixture f;
    f.Painter().PaintAll(800, 600);
    const auto& calls = f.canvas.m_calls;
    ASSERT_GT(calls.size(), 10u);
    // Insertion point cross-hair at world (0, 0) = pixel (400, 300).
    EXPECT_EQ(calls[0].kind, "line");
    EXPECT_EQ(std::tie(calls[0].a, calls[0].b, calls[0].c, calls[0].d),
              std::make_tuple(400, 0, 400, 600));
    EXPECT_EQ(std::tie(calls[1].a, calls[1].b, calls[1].c, calls[1].d),
              std::make_tuple(0, 300, 800, 300));
    // Axis letters, then the axes.
    EXPECT_EQ(calls[2].kind, "text");
    EXPECT_EQ(calls[2].text, "y");
    EXPECT_EQ(std::tie(calls[2].a, calls[2].b), std::make_tuple(400, 0));
    EXPECT_EQ(calls[3].text, "x");
    EXPECT_EQ(std::tie(calls[3].a, calls[3].b), std::make_tuple(0, 300));
    EXPECT_EQ(calls[4].kind, "line");
    EXPECT_EQ(calls[5].kind, "line");
    // The limits rectangle in grey, then the light in dark green.
    EXPECT_EQ(calls[6].kind, "rect");
    EXPECT_EQ(calls[6].colour, kGrey);
    EXPECT_EQ(std::tie(calls[6].a, calls[6].b, calls[6].c, calls[6].d),
              std::make_tuple(-24600, -24700, 25400, 25300));
    EXPECT_EQ(calls[7].kind, "ellipse");
    EXPECT_EQ(calls[7].fill, kDarkGreen);
    EXPECT_EQ(std::tie(calls[7].a, calls[7].b, calls[7].c, calls[7].d),
              std::make_tuple(416 - 8, 268 - 8, 416 + 8, 268 + 8));
    // Two boxes, the world navy, the door teal; each brush's 8 corners lie
    // 4 over 4 in the top view, a marker for each pixel.
    EXPECT_EQ(f.canvas.CountColour("ellipse", kNavy), 8);
    EXPECT_EQ(f.canvas.CountColour("line", kNavy), kBoxLinesInAFlatView);
    EXPECT_EQ(f.canvas.CountColour("line", kTeal), kBoxLinesInAFlatView);
}

TEST(CMapPainter, SharedEdgesAreDrawnOncePerBrushButAgainByDrawFace) {
    PaintFixture f;
    CMapPainter painter = f.Painter();
    painter.DrawBrush(f.World(), kNavy);
    EXPECT_EQ(f.canvas.Count("line"), kBoxLinesInAFlatView);
    EXPECT_EQ(f.canvas.Count("ellipse"), 4); // the top corners over the bottom ones
    // Slanted, each of the 12 edges has a line of its own, though each
    // belongs to two faces.
    f.canvas.m_calls.clear();
    f.projection.m_threeD = true;
    CMapPainter(f.doc, f.projection, f.canvas).DrawBrush(f.World(), kNavy);
    EXPECT_EQ(f.canvas.Count("line"), 12);
    f.projection.m_threeD = false;
    f.canvas.m_calls.clear();
    painter.DrawFace(f.World(), 0, kDarkRed);
    painter.DrawFace(f.World(), 1, kDarkRed);
    EXPECT_EQ(f.canvas.Count("line"), 8);
    EXPECT_EQ(f.canvas.Count("ellipse"), 0);
}

TEST(CMapPainter, SlabCullsPerEdge) {
    PaintFixture f;
    // Only the top corners (z = 64) lie strictly inside 0 < z < 100.
    SetStateCoordinate(f.doc, StatePoint::kLowerLimit, &IntPoint::z, 0);
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z, 100);
    f.Painter().DrawBrush(f.World(), kNavy);
    EXPECT_EQ(f.canvas.Count("ellipse"), 4);
    EXPECT_EQ(f.canvas.Count("line"), 4); // the top square; the uprights are points
    // The door lies wholly outside the slab: nothing at all.
    f.canvas.m_calls.clear();
    f.Painter().DrawBrush(f.Door(), kTeal);
    EXPECT_TRUE(f.canvas.m_calls.empty());
}

TEST(CMapPainter, LimitsSlabAlongEachDepthAxis) {
    PaintFixture f;
    CMapPainter painter = f.Painter();
    f.doc.GetEditorState().SetUpperLimit({-10, 10, 10});
    f.doc.GetEditorState().SetLowerLimit({10, -10, -10});
    EXPECT_TRUE(painter.InsideLimits({99, 99, 9}));
    EXPECT_FALSE(painter.InsideLimits({0, 0, 10}));
    f.projection.m_viewMode = kPlaneXZ;
    EXPECT_TRUE(painter.InsideLimits({99, -9, 99}));
    EXPECT_FALSE(painter.InsideLimits({0, -10, 0}));
    f.projection.m_viewMode = kPlaneYZ;
    EXPECT_TRUE(painter.InsideLimits({9, 99, 99}));
    EXPECT_FALSE(painter.InsideLimits({10, 0, 0}));
    // Reversed limits make the slab empty.
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::x, 10);
    SetStateCoordinate(f.doc, StatePoint::kLowerLimit, &IntPoint::x, -10);
    EXPECT_FALSE(painter.InsideLimits({0, 0, 0}));
}

TEST(CMapPainter, MarkersShrinkWithZoomAndVanish) {
    PaintFixture f;
    const struct {
        int32_t zoom;
        int vertexRadius;
        int entityRadius;
    } cases[] = {{1, 4, 8}, {2, 2, 4}, {4, 1, 2}, {8, 0, 1}, {16, 0, 0}};
    for (const auto& c : cases) {
        f.canvas.m_calls.clear();
        f.projection.m_zoom = c.zoom;
        CMapPainter painter = f.Painter();
        painter.DrawMarker({0, 0, 0}, 4, kNavy);
        painter.DrawMarker({0, 0, 0}, 8, kDarkGreen);
        std::vector<int> radii;
        for (const auto& call : f.canvas.m_calls)
            radii.push_back((call.c - call.a) / 2);
        std::vector<int> expected;
        if (c.vertexRadius)
            expected.push_back(c.vertexRadius);
        if (c.entityRadius)
            expected.push_back(c.entityRadius);
        EXPECT_EQ(radii, expected) << "zoom " << c.zoom;
    }
}

TEST(CMapPainter, BrushColoursFollowTheSelection) {
    PaintFixture f;
    CModelEntity* door = f.doc.GetModelEntities()[0].get();
    const struct {
        CModelEntity* selectedOwner;
        CMapBrush* selectedBrush;
        Rgb world;
        Rgb doorColour;
    } cases[] = {
        {nullptr, nullptr, kNavy, kTeal},
        {nullptr, &f.World(), kPurple, kTeal},
        {door, &f.Door(), kNavy, kOlive},
    };
    for (const auto& c : cases) {
        f.doc.GetEditorState().SetSelectedEntity(c.selectedOwner);
        f.doc.GetEditorState().SetSelectedBrush(c.selectedBrush);
        f.canvas.m_calls.clear();
        CMapPainter painter = f.Painter();
        painter.DrawOwnedBrush(nullptr, f.World());
        painter.DrawOwnedBrush(door, f.Door());
        EXPECT_EQ(f.canvas.CountColour("line", c.world), kBoxLinesInAFlatView);
        EXPECT_EQ(f.canvas.CountColour("line", c.doorColour), kBoxLinesInAFlatView);
    }
    // Another brush of the selected owner is dark green.
    f.doc.GetEditorState().SetSelectedEntity(door);
    f.doc.GetEditorState().SetSelectedBrush(&f.World());
    f.canvas.m_calls.clear();
    f.Painter().DrawOwnedBrush(door, f.Door());
    EXPECT_EQ(f.canvas.CountColour("line", kDarkGreen), kBoxLinesInAFlatView);
}

TEST(CMapPainter, OverlayNeedsASelectedBrushAndOutlinesTheFaceInFaceMode) {
    PaintFixture f;
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    f.Painter().DrawSelectionOverlay();
    EXPECT_TRUE(f.canvas.m_calls.empty());

    f.doc.GetEditorState().SetSelectedBrush(&f.World());
    f.doc.GetEditorState().SetSelectedVertex(2);
    f.doc.GetEditorState().SetSelectedFace(4);
    f.Painter().DrawSelectionOverlay();
    ASSERT_EQ(f.canvas.Count("ellipse"), 1);
    EXPECT_EQ(f.canvas.m_calls[0].fill, kPurple);
    EXPECT_EQ(f.canvas.CountColour("line", kDarkRed), 4);
    f.canvas.m_calls.clear();
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    f.Painter().DrawSelectionOverlay();
    EXPECT_EQ(f.canvas.Count("line"), 0);
}

TEST(CMapPainter, IncrementalNotices) {
    PaintFixture f;
    CPointEntity* light = f.doc.GetPointEntities()[0].get();
    // A point entity notice with nothing before and nothing selected draws nothing.
    EXPECT_TRUE(f.Painter().PaintNotice(MapNotice::PointEntitySelection(nullptr)));
    EXPECT_TRUE(f.canvas.m_calls.empty());
    f.doc.GetEditorState().SetSelectedPointEntity(light);
    f.Painter().PaintNotice(MapNotice::PointEntitySelection(light));
    ASSERT_EQ(f.canvas.Count("ellipse"), 2);
    EXPECT_EQ(f.canvas.m_calls[0].fill, kDarkGreen);
    EXPECT_EQ(f.canvas.m_calls[1].fill, kOlive);

    // An owner's brushes: every brush of it, then the overlay.
    f.canvas.m_calls.clear();
    f.doc.GetEditorState().SetSelectedBrush(&f.World());
    f.Painter().PaintNotice(MapNotice::OwnerBrushes(f.doc.GetModelEntities()[0].get()));
    EXPECT_EQ(f.canvas.CountColour("line", kTeal), kBoxLinesInAFlatView);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kPurple), 1);

    // A brush selection: the old brush, the selected brush, the overlay.
    f.canvas.m_calls.clear();
    f.Painter().PaintNotice(MapNotice::BrushSelection(&f.Door()));
    EXPECT_EQ(f.canvas.CountColour("line", kNavy),
              kBoxLinesInAFlatView); // owner is the selected one: the world
    EXPECT_EQ(f.canvas.CountColour("line", kPurple), kBoxLinesInAFlatView);

    // One brush of its owner, with no overlay.
    f.canvas.m_calls.clear();
    f.Painter().PaintNotice(MapNotice::OneBrush(f.doc.GetModelEntities()[0].get(), &f.Door()));
    EXPECT_EQ(f.canvas.CountColour("line", kTeal), kBoxLinesInAFlatView);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kPurple), 0);

    // Anything else asks for a full repaint.
    EXPECT_FALSE(f.Painter().PaintNotice(MapNotice::Repaint()));
}

TEST(CMapPainter, PointEntityOutsideTheSlabIsNotDrawn) {
    PaintFixture f;
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z, 40);
    f.Painter().PaintAll(800, 600);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 0);
}

TEST(CMapPainter, AxesAndLimitsInTheOtherPlanes) {
    PaintFixture f;
    f.doc.GetEditorState().SetInsertionPoint({5, 6, 7});
    f.projection.m_viewMode = kPlaneYZ;
    f.Painter().PaintAll(800, 600);
    const auto& calls = f.canvas.m_calls;
    EXPECT_EQ(calls[2].text, "z");
    EXPECT_EQ(calls[3].text, "y");
    // The origin (5, 0, 0) lands at (originY, originZ) = (300, 100).
    EXPECT_EQ(std::tie(calls[2].a, calls[2].b), std::make_tuple(300, 0));
    EXPECT_EQ(std::tie(calls[3].a, calls[3].b), std::make_tuple(0, 100));
    EXPECT_EQ(calls[6].kind, "rect");
    EXPECT_EQ(std::tie(calls[6].a, calls[6].b, calls[6].c, calls[6].d),
              std::make_tuple(300 - 25000, 100 - 25000, 300 + 25000, 100 + 25000));
}

namespace {

// Grid lines of a painter over a 400 x 300 view of an empty map.
struct GridFixture {
    CTolveDoc doc;
    CViewProjection projection;
    CRecordingCanvas canvas;
    std::vector<CRecordingCanvas::Call> Lines(Rgb colour) {
        canvas.m_calls.clear();
        CMapPainter painter(doc, projection, canvas);
        painter.ShowGrid(true);
        painter.PaintAll(400, 300);
        std::vector<CRecordingCanvas::Call> lines;
        for (const auto& call : canvas.m_calls) {
            if (call.kind == "line" && call.colour == colour)
                lines.push_back(call);
        }
        return lines;
    }
};

} // namespace

// At every scale from sixteen pixels a unit to 64 units a pixel, in every
// plane, flipped or not: the lines lie at multiples of the step, never closer
// than four pixels, and every eighth is darker.
TEST(CMapPainter, TheGridFollowsTheSnapStepAndThinsOutWhenLinesCrowd) {
    const FitScale scales[] = {{1, 16}, {1, 8}, {1, 4},  {1, 2},  {1, 1}, {2, 1},
                               {4, 1},  {8, 1}, {16, 1}, {32, 1}, {64, 1}};
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        for (bool flipped : {false, true}) {
            for (const FitScale& scale : scales) {
                for (int32_t step : {1, 8}) {
                    SCOPED_TRACE(testing::Message() << plane << flipped << " " << scale.zoom << "/"
                                                    << scale.magnify << " " << step);
                    GridFixture f;
                    f.projection.m_viewMode = plane;
                    f.projection.m_flipped = flipped;
                    f.projection.m_zoom = scale.zoom;
                    f.projection.m_magnify = scale.magnify;
                    f.projection.m_originX = -37 * scale.zoom;
                    f.projection.m_originY = 53 * scale.zoom;
                    f.projection.m_originZ = 53 * scale.zoom;
                    f.doc.GetEditorState().SetSnap(step);
                    const auto minor = f.Lines(kGridMinor);
                    const auto major = f.Lines(kGridMajor);
                    const bool minorShown = step * scale.magnify >= 4 * scale.zoom;
                    const bool majorShown = 8 * step * scale.magnify >= 4 * scale.zoom;
                    EXPECT_EQ(!minor.empty(), minorShown);
                    // Magnified, dark lines may lie wider apart than the view.
                    const bool majorInView = 8 * step * scale.magnify <= 300;
                    if (!majorShown || majorInView) {
                        EXPECT_EQ(!major.empty(), majorShown);
                    }
                    // Vertical lines: each at a world h that is a multiple of the
                    // step (eight steps for the dark ones), at least 4 pixels apart.
                    std::vector<int32_t> xs;
                    for (const auto& line : minor)
                        if (line.a == line.c)
                            xs.push_back(line.a);
                    std::sort(xs.begin(), xs.end());
                    for (size_t i = 1; i < xs.size(); ++i)
                        EXPECT_GE(xs[i] - xs[i - 1], 4);
                    if (scale.magnify > 1 && xs.size() > 1) {
                        EXPECT_EQ(xs[1] - xs[0], step * scale.magnify);
                    }
                    for (const auto& line : major) {
                        const bool vertical = line.a == line.c;
                        const IntPoint world = f.projection.ScreenToWorld(
                            vertical ? line.a : 0, vertical ? 0 : line.b, IntPoint());
                        const int h = plane == kPlaneYZ ? world.y : world.x;
                        const int v = plane == kPlaneXY ? world.y : world.z;
                        EXPECT_EQ((vertical ? h : v) % (8 * step), 0) << line.a << " " << line.b;
                    }
                }
            }
        }
    }
}

TEST(CMapPainter, NoGridUnlessAskedAndNoneInTheThreeDView) {
    GridFixture f;
    f.projection.m_threeD = true;
    EXPECT_TRUE(f.Lines(kGridMajor).empty());
    f.projection.m_threeD = false;
    EXPECT_FALSE(f.Lines(kGridMajor).empty());
    CMapPainter painter(f.doc, f.projection, f.canvas);
    f.canvas.m_calls.clear();
    painter.PaintAll(400, 300);
    EXPECT_EQ(f.canvas.CountColour("line", kGridMajor), 0);
}

// With a mod's definitions, a point entity of a class with a size shows its
// box in the class's colour around its marker; the area repaints reach as far.
TEST(CMapPainter, DefinedPointClassesShowTheirBoxInTheirColour) {
    PaintFixture f;
    CTempDir dir;
    WriteFileText(dir.Path("mod.fgd"),
                  "@PointClass size(-32 -32 -8, 32 32 8) color(255 200 40) = light : \"L\" []\n");
    f.doc.m_textureWad.SetMapFolder(dir.Root().string());
    const CViewProjection projection = f.projection;
    const int32_t plainMargin = CMapPainter::ObjectMargin(projection, f.doc);
    f.doc.m_worldOtherPairs.push_back({kDefinitionsKey, "mod.fgd"});
    ASSERT_NE(f.doc.GetEntityDefinitions(), nullptr);
    f.Painter().PaintAll(800, 600);
    const Rgb classColour{255, 200, 40};
    EXPECT_EQ(f.canvas.CountColour("line", classColour), kBoxLinesInAFlatView);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 0);
    // 64 units across, about the light's pixel (416, 268).
    for (const auto& call : f.canvas.m_calls) {
        if (call.kind != "line" || !(call.colour == classColour))
            continue;
        EXPECT_TRUE(call.a == 384 || call.a == 448 || call.b == 236 || call.b == 300);
    }
    EXPECT_EQ(plainMargin, CMapPainter::ObjectMargin(projection));
    EXPECT_EQ(CMapPainter::ObjectMargin(projection, f.doc), 32 + 1 + 2); // the box, its pen

    // A class the definitions lack keeps the plain marker.
    f.canvas.m_calls.clear();
    f.doc.GetPointEntities()[0]->m_classname = "info_unknown";
    f.Painter().PaintAll(800, 600);
    EXPECT_EQ(f.canvas.CountColour("line", classColour), 0);
    EXPECT_EQ(f.canvas.CountColour("ellipse", kDarkGreen), 1);
}

// A leak trace is drawn over the map in every plane, a red line from point to
// point and a mark where it starts; without one nothing red is drawn.
TEST(CMapPainter, APointFileIsDrawnAsARedPathInEveryPlane) {
    PaintFixture f;
    const Rgb red{255, 0, 0};
    f.Painter().PaintAll(800, 600);
    EXPECT_EQ(f.canvas.CountColour("line", red), 0);
    f.doc.m_pointFile = PointFile{{{0, 0, 0}, {64.4, 0, 0}, {64, 32, 16}}};
    const struct {
        int32_t plane;
        int lines; // a leg along the depth axis shows as a point
    } planes[] = {{kPlaneXY, 2}, {kPlaneXZ, 2}, {kPlaneYZ, 1}};
    for (const auto& c : planes) {
        f.canvas.m_calls.clear();
        f.projection.m_viewMode = c.plane;
        f.Painter().PaintAll(800, 600);
        int drawn = 0;
        for (const auto& call : f.canvas.m_calls)
            drawn +=
                call.kind == "line" && call.colour == red && (call.a != call.c || call.b != call.d);
        EXPECT_EQ(drawn, c.lines) << c.plane;
        EXPECT_EQ(f.canvas.CountColour("ellipse", red), 1) << c.plane;
    }
    // In the top view the first leg runs from the origin's pixel 64 to the right.
    f.canvas.m_calls.clear();
    f.projection.m_viewMode = kPlaneXY;
    f.Painter().PaintAll(800, 600);
    bool found = false;
    for (const auto& call : f.canvas.m_calls)
        found = found ||
                (call.kind == "line" && call.colour == red &&
                 std::tie(call.a, call.b, call.c, call.d) == std::make_tuple(400, 300, 464, 300));
    EXPECT_TRUE(found);

    // An area repaint draws the legs that reach the area, and no more.
    f.canvas.m_calls.clear();
    f.Painter().PaintArea({462, 268, 466, 272}, 800, 600);
    ASSERT_EQ(f.canvas.CountColour("line", red), 1);
    EXPECT_EQ(f.canvas.CountColour("ellipse", red), 0);
    for (const auto& call : f.canvas.m_calls) {
        if (call.kind == "line" && call.colour == red) {
            EXPECT_EQ(std::tie(call.a, call.c), std::make_tuple(464, 464)) << "the leg up";
        }
    }
    f.canvas.m_calls.clear();
    f.Painter().PaintArea({700, 500, 780, 580}, 800, 600);
    EXPECT_EQ(f.canvas.CountColour("line", red), 0);

    // A leg out to a point far beyond any map still runs to the right.
    f.doc.m_pointFile = PointFile{{{0, 0, 0}, {3e9, 0, 0}}};
    f.canvas.m_calls.clear();
    f.Painter().PaintAll(800, 600);
    for (const auto& call : f.canvas.m_calls) {
        if (call.kind == "line" && call.colour == red) {
            EXPECT_EQ(call.a, 400);
            EXPECT_GT(call.c, 800);
        }
    }
    EXPECT_EQ(f.canvas.CountColour("line", red), 1);
}

// A brush moved far beyond the others is drawn where it went once the view
// scrolls there: the box of its run in the index grew with it.
TEST(CMapPainter, ABrushMovedFarAwayIsDrawnWhereItWent) {
    PaintFixture f;
    f.Painter().PaintAll(800, 600);
    CMapTransaction move(f.doc, "Move");
    move.Edits().MoveBrush(f.World(), IntPoint(6000, 0, 0));
    move.Commit();
    f.projection.m_originX += 6000; // the view scrolled after it
    f.canvas.m_calls.clear();
    f.Painter().PaintAll(800, 600);
    int edges = 0; // inside the view: the cross-hair runs from edge to edge
    auto inside = [](int32_t x, int32_t y) { return x > 0 && x < 800 && y > 0 && y < 600; };
    for (const auto& call : f.canvas.m_calls)
        edges += call.kind == "line" && inside(call.a, call.b) && inside(call.c, call.d);
    EXPECT_GE(edges, 4);
}

// A box 4 pixels across: in a flat view its corners lie on each other in
// pairs, and each marker reaches the others. Around each corner, the marker
// left on top must be the one that drawing every corner in turn leaves there.
TEST(CMapPainter, RepeatedCornerMarkersLeaveThePictureOfDrawingEveryOne) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText("{\n\"classname\" \"worldspawn\"\n" + BoxBrushText({0, 0, 0}, {4, 4, 4}) +
                        "}\n",
                    diagnostics);
    const CMapBrush& box = *doc.GetWorldBrushes()[0];
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        CViewProjection projection;
        projection.m_viewMode = plane;
        CentreView(projection, IntPoint(), 800, 600);
        CRecordingCanvas canvas;
        CMapPainter(doc, projection, canvas).PaintAll(800, 600);
        const int32_t reach = 2 * projection.MarkerRadius(4) + 2;
        auto near = [reach](ScreenPoint a, ScreenPoint b) {
            return std::abs(a.x - b.x) <= reach && std::abs(a.y - b.y) <= reach;
        };
        for (int v = 0; v < box.m_numVertices; ++v) {
            const ScreenPoint p = projection.WorldToScreen(box.m_vertices[v]);
            std::optional<ScreenPoint> everyOne, drawn;
            for (int w = 0; w < box.m_numVertices; ++w) {
                const ScreenPoint q = projection.WorldToScreen(box.m_vertices[w]);
                if (near(p, q))
                    everyOne = q;
            }
            for (const auto& call : canvas.m_calls) {
                const ScreenPoint centre{(call.a + call.c) / 2, (call.b + call.d) / 2};
                if (call.kind == "ellipse" && near(p, centre))
                    drawn = centre;
            }
            ASSERT_TRUE(drawn && everyOne);
            EXPECT_EQ(*drawn, *everyOne) << "plane " << plane << ", around corner " << v;
        }
    }
}

namespace {

// What the lines of brushes leave on the screen: for each run of one colour
// the lines drawn, each way round alike (their order within the run changes
// no pixel), the rectangles' sides among them.
using LineRuns =
    std::vector<std::pair<Rgb, std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>>>>;

LineRuns RunsOf(const std::vector<CRecordingCanvas::Call>& calls) {
    LineRuns runs;
    auto add = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) {
        if (x1 == x2 && y1 == y2)
            return;
        if (std::tie(x2, y2) < std::tie(x1, y1)) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        if (runs.empty() || !(runs.back().first == colour))
            runs.push_back({colour, {}});
        runs.back().second.insert({x1, y1, x2, y2});
    };
    for (const CRecordingCanvas::Call& c : calls) {
        if (c.colour == kBlack || c.colour == kGrey)
            continue; // the cross-hair, axes and limits
        if (c.kind == "line") {
            add(c.a, c.b, c.c, c.d, c.colour);
        } else if (c.kind == "rect") {
            add(c.a, c.b, c.c, c.b, c.colour);
            add(c.c, c.b, c.c, c.d, c.colour);
            add(c.c, c.d, c.a, c.d, c.colour);
            add(c.a, c.d, c.a, c.b, c.colour);
        }
    }
    return runs;
}

} // namespace

// Far enough out that corners have no markers, a flat view draws a brush that
// is its box from the map's box index; it must leave the lines its edges
// leave, whatever the plane, flip, limits and selection.
TEST(CMapPainter, BoxesDrawnFromTheIndexLeaveTheLinesOfTheirEdges) {
    // The cube, a box above it, a thin box, a box with a corner cut off, and
    // a door.
    std::string cut = BoxBrushText({200, 0, 0}, {232, 32, 32});
    cut.insert(2, "( 224 0 0 ) ( 232 0 8 ) ( 232 8 0 ) t 0 0 0 1 1\n");
    const std::string text = "{\n\"classname\" \"worldspawn\"\n{\n" + std::string(kCubeFaceLines) +
                             "}\n" + BoxBrushText({100, -20, 16}, {180, 60, 96}) +
                             BoxBrushText({-200, -200, -8}, {-150, -100, 8}) + cut +
                             "}\n{\n\"classname\" \"func_door\"\n" +
                             BoxBrushText({-120, 80, -32}, {-60, 140, 40}) + "}\n";
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(text, diagnostics);
    ASSERT_EQ(doc.GetWorldBrushes().size(), 4u);
    CEditorState& state = doc.GetEditorState();
    state.SetEditMode(kBrushMode);
    CSelectionSet set;
    set.Add(*doc.GetWorldBrushes()[1], CSelectionSet::kWholeBrush);
    state.SetSelectionSet(set);
    state.SetSelectedBrush(doc.GetWorldBrushes()[2].get());
    for (const bool limited : {false, true}) {
        if (limited) { // a slab of -40..40 along every axis: some boxes in, out and across
            state.SetUpperLimit({-40, 40, 40});
            state.SetLowerLimit({40, -40, -40});
        }
        for (const int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
            for (const bool flipped : {false, true}) {
                for (const int32_t zoom : {8, 32}) {
                    CViewProjection projection;
                    projection.m_viewMode = plane;
                    projection.m_flipped = flipped;
                    projection.m_zoom = zoom;
                    CentreView(projection, IntPoint(), 800, 600);
                    CRecordingCanvas fromIndex, fromEdges;
                    CMapPainter(doc, projection, fromIndex).PaintAll(800, 600);
                    CMapPainter edges(doc, projection, fromEdges);
                    for (const CBrushBoxIndex::Entry& entry : doc.GetBrushBoxes())
                        edges.DrawOwnedBrush(entry.owner, *entry.brush);
                    EXPECT_GT(fromIndex.Count("rect"), 0);
                    EXPECT_EQ(RunsOf(fromIndex.m_calls), RunsOf(fromEdges.m_calls))
                        << "plane " << plane << (flipped ? " flipped" : "") << " zoom " << zoom
                        << (limited ? " limited" : "");
                }
            }
        }
    }
}
