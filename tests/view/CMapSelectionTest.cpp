#include "view/CMapSelection.h"

#include "BoxBrushText.h"
#include "CNoticeRecorder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string Box(IntPoint lo, IntPoint hi) {
    return BoxBrushText(lo, hi);
}

// An XY view at zoom 1 whose pixel (0, 0) shows world (0, 0).
struct SelectionFixture {
    CTolveDoc doc;
    CViewProjection projection;
    IntPoint cursor;
    CNoticeRecorder hints;
    explicit SelectionFixture(const std::string& text) {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(text.c_str(), diagnostics);
        projection.m_originX = 0;
        projection.m_originY = 0;
        doc.AddView(&hints);
    }
    ~SelectionFixture() { doc.RemoveView(&hints); }
    // The mouse over world (x, y).
    void MoveTo(int32_t x, int32_t y, bool restricted = false) {
        hints.m_notices.clear();
        CMapSelection(doc, projection, {x, -y}, cursor).UpdateSelection(restricted);
    }
    const IntPoint& SelectedVertex() const {
        return doc.GetEditorState()
            .GetSelectedBrush()
            ->m_vertices[doc.GetEditorState().GetSelectedVertex()];
    }
    CMapBrush* World(int i) { return doc.GetWorldBrushes()[i].get(); }
};

std::string WorldWith(const std::string& brushes, const std::string& extra = "") {
    return "{\n\"classname\" \"worldspawn\"\n" + brushes + "}\n" + extra;
}

} // namespace

TEST(CMapSelection, EmptyMapSelectsNothingEvenInFaceMode) {
    SelectionFixture f("");
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    f.doc.GetEditorState().SetSelectedFace(3);
    f.MoveTo(10, 10);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedFace(), 3);
    // Face mode redraws the (missing) selected brush at every move; nothing shows.
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::BrushSelection(nullptr)}));
}

TEST(CMapSelection, OneBrushAlwaysHasASelectedVertexAndTheCursorIsSnapped) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    f.MoveTo(5000, -3000);
    ASSERT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
    EXPECT_EQ(f.SelectedVertex().x, 64);
    EXPECT_EQ(f.SelectedVertex().y, 0);
    f.MoveTo(61, 67);
    EXPECT_EQ(f.SelectedVertex().x, 64);
    EXPECT_EQ(f.SelectedVertex().y, 64);
    EXPECT_EQ(f.cursor, IntPoint(64, 64, 0)); // 61 and 67 snapped to 8
}

TEST(CMapSelection, VerticesOnOnePixelAreSplitByWorldDistanceThenLowerIndex) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    // In XY each corner hides the one below it; the insertion point's depth
    // (z = 0) makes the bottom corner nearer.
    f.MoveTo(0, 0);
    EXPECT_EQ(f.SelectedVertex(), IntPoint(0, 0, 0));
    SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z, 64);
    f.MoveTo(0, 0);
    EXPECT_EQ(f.SelectedVertex(), IntPoint(0, 0, 64));
    // Halfway in depth the two are tied and the lower index stays.
    SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z, 32);
    f.MoveTo(0, 0);
    const CMapBrush& brush = *f.World(0);
    int top = -1, bottom = -1;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (brush.m_vertices[v] == IntPoint(0, 0, 64))
            top = v;
        if (brush.m_vertices[v] == IntPoint(0, 0, 0))
            bottom = v;
    }
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedVertex(), std::min(top, bottom));
}

namespace {

// Two boxes stacked in depth share their bottom and top corners. Seen in XY
// their centres fall on one pixel; with the cursor's depth halfway between
// the centres the two brushes are tied on every rule.
struct StackedBoxes {
    std::string lower = Box({0, 0, -64}, {64, 64, 0});
    std::string upper = Box({0, 0, 0}, {64, 64, 64});
};

IntPoint BrushCentre(const CMapBrush& brush) {
    return CentreOf(brush.m_vertices, nullptr, brush.m_numVertices);
}

} // namespace

TEST(CMapSelection, FullTieAcrossBrushesGoesToTheBrushOfferedLater) {
    StackedBoxes boxes;
    for (bool upperFirst : {false, true}) {
        SCOPED_TRACE(upperFirst ? "upper box first" : "lower box first");
        SelectionFixture f(
            WorldWith(upperFirst ? boxes.upper + boxes.lower : boxes.lower + boxes.upper));
        const IntPoint first = BrushCentre(*f.World(0));
        const IntPoint second = BrushCentre(*f.World(1));
        // The tie is real: the centres share x and y, and the cursor's depth
        // lies exactly halfway between theirs.
        ASSERT_EQ(first.x, second.x);
        ASSERT_EQ(first.y, second.y);
        ASSERT_EQ((first.z + second.z) % 2, 0);
        SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z,
                           (first.z + second.z) / 2);
        ASSERT_EQ(std::abs(first.z - f.doc.GetEditorState().GetInsertionPoint().z),
                  std::abs(second.z - f.doc.GetEditorState().GetInsertionPoint().z));
        // The shared corner (0, 0, 0) is the nearest vertex of both brushes
        // as long as the cursor stays nearer to z = 0 than to z = +-64.
        ASSERT_LT(std::abs(f.doc.GetEditorState().GetInsertionPoint().z), 32);
        f.MoveTo(0, 0);
        EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(1));
        EXPECT_EQ(f.SelectedVertex(), IntPoint(0, 0, 0));
    }
}

TEST(CMapSelection, VertexTieAcrossBrushesGoesToTheCentreNearerInTheWorld) {
    StackedBoxes boxes;
    // The brush offered first wins when its centre is nearer in depth, so the
    // later-brush rule is not what decides.
    for (bool upperFirst : {false, true}) {
        SCOPED_TRACE(upperFirst ? "upper box first" : "lower box first");
        SelectionFixture f(
            WorldWith(upperFirst ? boxes.upper + boxes.lower : boxes.lower + boxes.upper));
        const IntPoint first = BrushCentre(*f.World(0));
        const IntPoint second = BrushCentre(*f.World(1));
        ASSERT_EQ(first.x, second.x); // equal on screen
        ASSERT_EQ(first.y, second.y);
        SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z, upperFirst ? 8 : -8);
        ASSERT_LT(std::abs(first.z - f.doc.GetEditorState().GetInsertionPoint().z),
                  std::abs(second.z - f.doc.GetEditorState().GetInsertionPoint().z));
        f.MoveTo(0, 0);
        EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
        EXPECT_EQ(f.SelectedVertex(), IntPoint(0, 0, 0));
    }
}

TEST(CMapSelection, VertexTieAcrossBrushesGoesToTheCentreNearerOnScreen) {
    // Corner (64, 0, 0) is shared, so its two copies tie on screen and in the
    // world; the brush whose centre is nearer to the mouse on screen wins.
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64}) + Box({64, 0, 0}, {128, 64, 64})));
    f.MoveTo(60, 0); // the first box's centre is nearer on screen
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
    f.MoveTo(68, 0);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(1));
}

TEST(CMapSelection, ControlKeepsTheSearchInsideTheSelectedBrush) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64}) + Box({200, 0, 0}, {264, 64, 64})));
    f.MoveTo(10, 10);
    ASSERT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
    f.MoveTo(200, 0, true);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
    EXPECT_EQ(f.SelectedVertex().x, 64);
    f.MoveTo(200, 0, false);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(1));
}

TEST(CMapSelection, ControlWithNothingSelectedSelectsNothing) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    f.MoveTo(0, 0, true);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
}

TEST(CMapSelection, VerticesOutsideTheSlabLoseExceptTheFirstOffered) {
    SelectionFixture f(
        WorldWith(Box({0, 0, 100}, {64, 64, 164}) + Box({500, 500, 0}, {564, 564, 64})));
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z,
                       90); // the first box lies above the slab
    // Its first vertex is taken without a test, but none of its others ever
    // replaces it, however near to the mouse.
    f.MoveTo(64, 64);
    ASSERT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(0));
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedVertex(), 0);
    f.MoveTo(560, 560);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), f.World(1));
}

TEST(CMapSelection, PointEntitiesNearestOnScreenThenInTheWorldThenTheLaterOne) {
    SelectionFixture f(WorldWith("", "{ \"classname\" \"a\" \"origin\" \"0 0 0\" }\n"
                                     "{ \"classname\" \"b\" \"origin\" \"100 0 0\" }\n"
                                     "{ \"classname\" \"c\" \"origin\" \"100 0 0\" }\n"
                                     "{ \"classname\" \"d\" \"origin\" \"100 0 50\" }\n"));
    f.MoveTo(90, 0);
    ASSERT_NE(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity()->m_classname,
              "c"); // b and c tie fully
    SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z, 50);
    f.MoveTo(90, 0);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity()->m_classname, "d");
    f.MoveTo(0, 0);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity()->m_classname, "a");
}

TEST(CMapSelection, FaceModePicksTheFaceWhoseCentreIsNearest) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    const CMapBrush& brush = *f.World(0);
    auto selectedFaceCorners = [&] {
        std::vector<IntPoint> corners;
        const BrushFace& face = brush.m_faces[f.doc.GetEditorState().GetSelectedFace()];
        for (int k = 0; k < face.numPoints; ++k)
            corners.push_back(brush.m_vertices[face.vertexIndex[k]]);
        return corners;
    };
    f.MoveTo(-40, 32); // left of the box: the x = 0 face
    for (const IntPoint& corner : selectedFaceCorners())
        EXPECT_EQ(corner.x, 0);
    f.MoveTo(32, 32); // over the middle: top and bottom tie on screen; depth 0 picks the bottom
    for (const IntPoint& corner : selectedFaceCorners())
        EXPECT_EQ(corner.z, 0);
}

TEST(CMapSelection, FullFaceTieKeepsTheLowerFaceIndex) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    const CMapBrush& brush = *f.World(0);
    auto faceCentre = [&](int face) {
        return CentreOf(brush.m_vertices, brush.m_faces[face].vertexIndex,
                        brush.m_faces[face].numPoints);
    };
    int bottom = -1, top = -1;
    for (int face = 0; face < brush.m_numFaces; ++face) {
        const IntPoint& corner = brush.m_vertices[brush.m_faces[face].vertexIndex[0]];
        bool flat = true;
        for (int k = 0; k < brush.m_faces[face].numPoints; ++k)
            flat = flat && brush.m_vertices[brush.m_faces[face].vertexIndex[k]].z == corner.z;
        if (flat)
            (corner.z == 0 ? bottom : top) = face;
    }
    ASSERT_GE(bottom, 0);
    ASSERT_GE(top, 0);
    const IntPoint low = faceCentre(bottom), high = faceCentre(top);
    // Both lie on one pixel, and the cursor's depth, 32, is halfway between
    // their depths 0 and 64: a full tie.
    ASSERT_EQ(low.x, high.x);
    ASSERT_EQ(low.y, high.y);
    ASSERT_EQ(low.z, 0);
    ASSERT_EQ(high.z, 64);
    SetStateCoordinate(f.doc, StatePoint::kInsertionPoint, &IntPoint::z, 32);
    // Every side face is farther on screen from the mouse over that pixel.
    for (int face = 0; face < brush.m_numFaces; ++face) {
        if (face == bottom || face == top)
            continue;
        const IntPoint c = faceCentre(face);
        ASSERT_GT(std::abs(c.x - low.x) + std::abs(c.y - low.y), 0) << face;
    }
    f.MoveTo(low.x, low.y);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedFace(), std::min(bottom, top));
}

TEST(CMapSelection, PointEntityOutsideTheSlabIsNeverSelectedOnceAnotherIs) {
    // b is nearer to the mouse on screen and comes later, but lies above the
    // slab; a is offered first and taken without a test.
    SelectionFixture f(WorldWith("", "{ \"classname\" \"a\" \"origin\" \"0 0 0\" }\n"
                                     "{ \"classname\" \"b\" \"origin\" \"100 0 200\" }\n"
                                     "{ \"classname\" \"c\" \"origin\" \"100 0 -200\" }\n"));
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z,
                       200); // the slab is open: 200 itself is outside
    SetStateCoordinate(f.doc, StatePoint::kLowerLimit, &IntPoint::z, -200);
    f.MoveTo(100, 0);
    ASSERT_NE(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity()->m_classname, "a");
    // Just inside the limits they are candidates again; the full tie goes to
    // the later one.
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z, 201);
    SetStateCoordinate(f.doc, StatePoint::kLowerLimit, &IntPoint::z, -201);
    f.MoveTo(100, 0);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity()->m_classname, "c");
}

TEST(CentreOf, IsARunningMeanTruncatingTowardZero) {
    const IntPoint points[] = {{0, 0, 0}, {64, -64, 1}, {64, -64, 1}, {0, 0, 0}};
    // x: 0, 32, 42, 32; y mirrors it; z: 0, 0, 0 - (0 - 1) / 3 = 0, 0.
    EXPECT_EQ(CentreOf(points, nullptr, 4), IntPoint(32, -32, 0));
    const uint8_t order[] = {1, 0};
    EXPECT_EQ(CentreOf(points, order, 2), IntPoint(32, -32, 1));
}

TEST(CMapSelection, SwitchingToFaceModeDoesNotPickAFaceUntilTheNextMove) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})));
    f.MoveTo(-40, 32);
    f.doc.GetEditorState().SetSelectedFace(5);
    f.doc.GetEditorState().SetEditMode(kFaceMode); // the mode command touches nothing else
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedFace(), 5);
    f.MoveTo(-40, 32);
    EXPECT_NE(f.doc.GetEditorState().GetSelectedFace(), 5);
}

TEST(CMapSelection, NoticesForAChangeOfVertexBrushAndOwner) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64})) + "{ \"classname\" \"func_door\"\n" +
                       Box({200, 0, 0}, {264, 64, 64}) + "}\n");
    CMapBrush* world = f.World(0);
    CModelEntity* door = f.doc.GetModelEntities()[0].get();
    CMapBrush* doorBrush = door->m_brushes[0].get();

    f.MoveTo(0, 0); // from nothing to a world brush: the owner (world) is unchanged
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::BrushSelection(nullptr)}));
    f.MoveTo(0, 0); // nothing changes: no notice at all
    EXPECT_TRUE(f.hints.m_notices.empty());
    f.MoveTo(64, 0); // another vertex of the same brush
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::BrushSelection(nullptr)}));
    f.MoveTo(200, 0); // world to door: the old brush alone, then every brush of the door
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::OneBrush(nullptr, world),
                                                         MapNotice::OwnerBrushes(door)}));
    f.MoveTo(0, 0); // back: every brush of the door, then the world brush alone
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::OwnerBrushes(door),
                                                         MapNotice::OneBrush(nullptr, world)}));
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    f.MoveTo(0, 0); // face mode redraws the brush at every move
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::BrushSelection(world)}));
    (void)doorBrush;
}

TEST(CMapSelection, PointEntityChangeSendsANoticeWithTheOldEntity) {
    SelectionFixture f(WorldWith("", "{ \"classname\" \"a\" \"origin\" \"0 0 0\" }\n"
                                     "{ \"classname\" \"b\" \"origin\" \"100 0 0\" }\n"));
    f.MoveTo(0, 0);
    EXPECT_EQ(f.hints.m_notices,
              (std::vector<MapNotice>{MapNotice::PointEntitySelection(nullptr)}));
    CPointEntity* a = f.doc.GetEditorState().GetSelectedPointEntity();
    f.MoveTo(100, 0);
    EXPECT_EQ(f.hints.m_notices, (std::vector<MapNotice>{MapNotice::PointEntitySelection(a)}));
}

// Three cubes stacked in z under the same pixels of an XY view: all three
// are under the pointer, in map order; the limits leave out what they hide.
TEST(CMapSelection, ObjectsStackedUnderThePointerAreFoundForCycling) {
    SelectionFixture f(WorldWith(Box({0, 0, 0}, {64, 64, 64}) + Box({0, 0, 128}, {64, 64, 192}) +
                                 Box({0, 0, 256}, {64, 64, 320}) +
                                 Box({128, 0, 0}, {192, 64, 64})));
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    IntPoint cursor;
    const ScreenPoint nearCorner{60, -60}; // beside world (64, 64)
    std::vector<HoverSelection> stacked =
        CMapSelection(f.doc, f.projection, nearCorner, cursor).StackedUnderPointer();
    ASSERT_EQ(stacked.size(), 3u);
    EXPECT_EQ(stacked[0].brush, f.World(0));
    EXPECT_EQ(stacked[1].brush, f.World(1));
    EXPECT_EQ(stacked[2].brush, f.World(2));

    // Corner mode: each brush has two corners under the pixel.
    f.doc.GetEditorState().SetEditMode(kCornerMode);
    EXPECT_EQ(CMapSelection(f.doc, f.projection, nearCorner, cursor).StackedUnderPointer().size(),
              6u);
    // Limits that hide the top cube leave two.
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    SetStateCoordinate(f.doc, StatePoint::kUpperLimit, &IntPoint::z, 200);
    EXPECT_EQ(CMapSelection(f.doc, f.projection, nearCorner, cursor).StackedUnderPointer().size(),
              2u);
}
