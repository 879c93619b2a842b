#include "view/CommandTarget.h"

#include "map/FaceFlatness.h"
#include "map/ObjectBounds.h"
#include "map/SelectionSetEdits.h"
#include "view/CMapDrag.h"
#include "view/SelectionDescription.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

std::string Box(int lo, int hi, const std::string& texture) {
    const std::string a = std::to_string(lo), b = std::to_string(hi);
    const std::string rest = " " + texture + " 0 0 0 1 1\n";
    return "{\n( " + a + " 0 1 ) ( " + a + " -1 0 ) ( " + a + " 0 0 )" + rest + "( " + b +
           " 0 1 ) ( " + b + " 1 0 ) ( " + b + " 0 0 )" + rest + "( 0 " + a + " 1 ) ( 1 " + a +
           " 0 ) ( 0 " + a + " 0 )" + rest + "( 0 " + b + " 1 ) ( -1 " + b + " 0 ) ( 0 " + b +
           " 0 )" + rest + "( 0 1 " + a + " ) ( -1 0 " + a + " ) ( 0 0 " + a + " )" + rest +
           "( 0 1 " + b + " ) ( 1 0 " + b + " ) ( 0 0 " + b + " )" + rest + "}\n";
}

// Two cubes apart on every axis, the second of a door, and a light inside
// the first.
const std::string kMap = "{\n\"classname\" \"worldspawn\"\n" + Box(0, 64, "floor") +
                         "}\n{\n\"classname\" \"func_door\"\n" + Box(128, 192, "metal2_4") +
                         "}\n{\n\"classname\" \"light\"\n\"origin\" \"32 32 32\"\n"
                         "\"light\" \"300\"\n}\n{\n\"classname\" \"light\"\n"
                         "\"origin\" \"160 160 160\"\n}\n";

// A view of each plane, flipped or not, at zoom 1, whose client area of
// 400 x 400 pixels shows both cubes.
class CommandTargetInView : public ::testing::TestWithParam<std::tuple<ViewPlane, bool>> {
protected:
    CommandTargetInView() : m_read(Read(kMap)), m_doc(*m_read->doc) {
        m_projection.m_viewMode = std::get<0>(GetParam());
        m_projection.m_flipped = std::get<1>(GetParam());
        // The middle of the map at the middle of the view.
        const ScreenPoint middle = m_projection.WorldToScreen(96, 96, 96);
        m_projection.Pan(200 - middle.x, 200 - middle.y);
    }
    CMapBrush& First() { return *m_doc.GetWorldBrushes()[0]; }
    CMapBrush& Second() { return *m_doc.GetModelEntities()[0]->m_brushes[0]; }
    CPointEntity& Light() { return *m_doc.GetPointEntities()[0]; }
    CEditorState& State() { return m_doc.GetEditorState(); }
    // The screen box around a brush's corners, grown by a pixel.
    ScreenRect AroundBrush(const CMapBrush& brush) const {
        ScreenRect rect;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const ScreenPoint s = m_projection.WorldToScreen(brush.m_vertices[v]);
            rect = rect.United({s.x, s.y, s.x, s.y});
        }
        return rect.Inflated(1);
    }
    bool Shown() const { return IsHoverShown(m_doc, m_projection, 400, 400); }

    std::unique_ptr<ReadMap> m_read;
    CTolveDoc& m_doc;
    CViewProjection m_projection;
};

} // namespace

TEST_P(CommandTargetInView, ARectangleGathersWhatLiesWhollyInsideIt) {
    const ScreenRect first = AroundBrush(First());
    State().SetEditMode(kBrushMode);
    CSelectionSet set = ObjectsInRectangle(m_doc, m_projection, first);
    EXPECT_TRUE(set.Contains(First()));
    EXPECT_FALSE(set.Contains(Second()));
    // One pixel short of a corner leaves the brush out.
    ScreenRect tight = first.Inflated(-2);
    EXPECT_TRUE(ObjectsInRectangle(m_doc, m_projection, tight).IsEmpty());

    State().SetEditMode(kEntityMode);
    set = ObjectsInRectangle(m_doc, m_projection, first);
    EXPECT_TRUE(set.Contains(Light()));
    EXPECT_EQ(set.CountParts(), 1u); // the other light lies outside

    State().SetEditMode(kCornerMode);
    set = ObjectsInRectangle(m_doc, m_projection, first);
    EXPECT_EQ(set.PartsOf(First()), (uint64_t{1} << First().m_numVertices) - 1);
    EXPECT_FALSE(set.Contains(Second()));

    State().SetEditMode(kFaceMode);
    set = ObjectsInRectangle(m_doc, m_projection, tight.Inflated(2));
    EXPECT_EQ(set.CountParts(), 6u);
}

TEST_P(CommandTargetInView, HiddenByTheLimitsIsNeverGathered) {
    State().SetEditMode(kBrushMode);
    const ScreenRect all{0, 0, 399, 399};
    EXPECT_EQ(ObjectsInRectangle(m_doc, m_projection, all).CountParts(), 2u);
    // The depth limits keep only the second cube.
    const int depthAxis = DepthAxisOf(m_projection.m_viewMode);
    IntPoint upper = State().GetUpperLimit(), lower = State().GetLowerLimit();
    if (depthAxis == 0)
        upper.x = 100;
    else if (depthAxis == 1)
        lower.y = 100;
    else
        lower.z = 100;
    State().SetUpperLimit(upper);
    State().SetLowerLimit(lower);
    const CSelectionSet set = ObjectsInRectangle(m_doc, m_projection, all);
    EXPECT_FALSE(set.Contains(First()));
    EXPECT_TRUE(set.Contains(Second()));
    EXPECT_EQ(ObjectsInsideLimits(m_doc).CountParts(), 1u);
    State().ClearLimits();
    EXPECT_EQ(ObjectsInsideLimits(m_doc).CountParts(), 2u);
}

TEST_P(CommandTargetInView, TheHoveredObjectCountsOnlyWhereTheViewShowsIt) {
    State().SetEditMode(kBrushMode);
    State().SetHover({nullptr, &First(), 0, 0, nullptr});
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(CommandTarget(m_doc, m_projection, 400, 400).Contains(First()));
    // Scrolled far away, the same hover is nothing under the pointer.
    m_projection.Pan(5000, 5000);
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(CommandTarget(m_doc, m_projection, 400, 400).IsEmpty());
    EXPECT_TRUE(DragTarget(m_doc, m_projection, 400, 400).IsEmpty());
    m_projection.Pan(-5000, -5000);
    // A corner hidden by the limits is not shown either.
    State().SetEditMode(kCornerMode);
    State().SetHover({nullptr, &First(), 0, 0, nullptr});
    EXPECT_TRUE(Shown());
    const IntPoint corner = First().m_vertices[0];
    const int depth = m_projection.Depth(corner);
    IntPoint upper = State().GetUpperLimit(), lower = State().GetLowerLimit();
    if (m_projection.m_viewMode == kPlaneYZ)
        lower.x = depth; // the slab is open: its edge hides
    else if (m_projection.m_viewMode == kPlaneXZ)
        upper.y = depth;
    else
        upper.z = depth;
    State().SetUpperLimit(upper);
    State().SetLowerLimit(lower);
    EXPECT_FALSE(Shown());
}

TEST_P(CommandTargetInView, ADragFromTheSetMovesTheSetAndFromElsewhereOneObject) {
    State().SetEditMode(kBrushMode);
    CSelectionSet set;
    set.Add(First(), CSelectionSet::kWholeBrush);
    set.Add(Second(), CSelectionSet::kWholeBrush);
    State().SetSelectionSet(set);
    State().SetHover({nullptr, &First(), 0, 0, nullptr});
    EXPECT_EQ(DragTarget(m_doc, m_projection, 400, 400), set);
    EXPECT_EQ(CommandTarget(m_doc, m_projection, 400, 400), set);

    const std::string before = MapText(m_doc);
    const IntBox first = *BoundsOf(First()), second = *BoundsOf(Second());
    const ScreenPoint press = m_projection.WorldToScreen(First().m_vertices[0]);
    CMapDrag drag(m_doc, m_projection, press, DragTarget(m_doc, m_projection, 400, 400));
    ASSERT_TRUE(drag.Step({press.x + 16, press.y + 8}));
    drag.Commit();
    const IntPoint delta = ScreenStep(m_projection, 2, 1, 8);
    EXPECT_EQ(BoundsOf(First())->min.x - first.min.x, delta.x);
    EXPECT_EQ(BoundsOf(Second())->min.x - second.min.x, delta.x);
    EXPECT_EQ(BoundsOf(Second())->min.y - second.min.y, delta.y);
    EXPECT_EQ(BoundsOf(Second())->min.z - second.min.z, delta.z);
    EXPECT_EQ(m_doc.GetHistory().GetStepCount(), 1u);
    m_doc.GetHistory().Undo(m_doc);
    EXPECT_EQ(MapText(m_doc), before);

    // Hovering something outside the set drags that alone.
    State().ClearSelectionSet();
    State().SetSelectionSet([&] {
        CSelectionSet only;
        only.Add(Second(), CSelectionSet::kWholeBrush);
        return only;
    }());
    EXPECT_EQ(DragTarget(m_doc, m_projection, 400, 400).CountParts(), 1u);
    EXPECT_TRUE(DragTarget(m_doc, m_projection, 400, 400).Contains(First()));
}

// A drag from a corner of the set moves every corner of it, of both brushes;
// from a light of the set, both lights. Escape takes it all back.
TEST_P(CommandTargetInView, CornersAndEntitiesOfTheSetMoveTogether) {
    const std::string before = MapText(m_doc);
    const IntPoint delta = ScreenStep(m_projection, 1, -1, 8);
    auto plus = [&](IntPoint a) { return IntPoint(a.x + delta.x, a.y + delta.y, a.z + delta.z); };
    auto dragBy = [&](const IntPoint& from, bool keep) {
        const ScreenPoint press = m_projection.WorldToScreen(from);
        CMapDrag drag(m_doc, m_projection, press, DragTarget(m_doc, m_projection, 400, 400));
        ASSERT_TRUE(drag.Step({press.x + 8, press.y - 8}));
        if (keep)
            drag.Commit();
        else
            drag.Cancel();
    };

    State().SetEditMode(kCornerMode);
    CSelectionSet corners;
    corners.Add(First(), PartBit(0));
    corners.Add(Second(), PartBit(3));
    State().SetSelectionSet(corners);
    State().SetHover({nullptr, &First(), 0, 0, nullptr});
    const IntPoint a = First().m_vertices[0], b = Second().m_vertices[3],
                   c = Second().m_vertices[0];
    dragBy(a, true);
    EXPECT_EQ(First().m_vertices[0], plus(a));
    EXPECT_EQ(Second().m_vertices[3], plus(b));
    EXPECT_EQ(Second().m_vertices[0], c);
    m_doc.GetHistory().Undo(m_doc);
    EXPECT_EQ(MapText(m_doc), before);

    State().SetEditMode(kEntityMode);
    CPointEntity& other = *m_doc.GetPointEntities()[1];
    CSelectionSet lights;
    lights.Add(Light());
    lights.Add(other);
    State().SetSelectionSet(lights);
    State().SetSelectedPointEntity(&other);
    const IntPoint light = Light().m_origin, second = other.m_origin;
    dragBy(second, false); // Escape
    EXPECT_EQ(MapText(m_doc), before);
    dragBy(second, true);
    EXPECT_EQ(Light().m_origin, plus(light));
    EXPECT_EQ(other.m_origin, plus(second));
    // One step; the undone corner drag gave way to it.
    EXPECT_EQ(m_doc.GetHistory().GetStepCount(), 1u);
}

// A corner dragged in a flat view takes the corner stacked under it along: the
// whole edge moves and every face stays flat. Alone, the corner bends faces.
TEST_P(CommandTargetInView, AStackedCornerDragMovesTheWholeEdgeAndKeepsFacesFlat) {
    State().SetEditMode(kCornerMode);
    State().SetHover({nullptr, &First(), 0, 0, nullptr});
    const CSelectionSet one = DragTarget(m_doc, m_projection, 400, 400);
    const CSelectionSet stacked = WithStackedCorners(one, m_projection);
    ASSERT_EQ(one.CountParts(), 1u);
    ASSERT_EQ(stacked.CountParts(), 2u); // a cube has two corners under each
    const IntPoint corner = First().m_vertices[0];
    const ScreenPoint press = m_projection.WorldToScreen(corner);
    for (const CSelectionSet* objects : {&stacked, &one}) {
        CMapDrag drag(m_doc, m_projection, press, *objects);
        ASSERT_TRUE(drag.Step({press.x + 16, press.y + 8}));
        drag.Commit();
        if (objects == &stacked) {
            EXPECT_EQ(CountNonFlatFaces(First()), 0);
        } else {
            EXPECT_GT(CountNonFlatFaces(First()), 0);
        }
        m_doc.GetHistory().Undo(m_doc);
    }
    // The 3D view shows no corners under each other.
    m_projection.m_threeD = true;
    EXPECT_EQ(WithStackedCorners(one, m_projection), one);
}

// Right and down on the screen, and the quarter turns and mirrors, are what
// the user sees whatever the plane and the flip.
TEST_P(CommandTargetInView, ScreenStepsAndTurnsFollowTheScreen) {
    const IntPoint centre(96, 96, 96);
    auto plus = [](IntPoint a, IntPoint b) { return IntPoint(a.x + b.x, a.y + b.y, a.z + b.z); };
    const IntPoint right = plus(centre, ScreenStep(m_projection, 1, 0, 8));
    const IntPoint down = plus(centre, ScreenStep(m_projection, 0, 1, 8));
    const IntPoint left = plus(centre, ScreenStep(m_projection, -1, 0, 8));
    const IntPoint up = plus(centre, ScreenStep(m_projection, 0, -1, 8));
    const ScreenPoint c = m_projection.WorldToScreen(centre);
    EXPECT_EQ(m_projection.WorldToScreen(right), (ScreenPoint{c.x + 8, c.y}));
    EXPECT_EQ(m_projection.WorldToScreen(down), (ScreenPoint{c.x, c.y + 8}));
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kClockwise, centre).Apply(right), down);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kClockwise, centre).Apply(down), left);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kAnticlockwise, centre).Apply(right), up);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kFlipHorizontal, centre).Apply(right), left);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kFlipHorizontal, centre).Apply(down), down);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kFlipVertical, centre).Apply(down), up);
    EXPECT_EQ(TurnInView(m_projection, ScreenTurn::kFlipVertical, centre).Apply(right), right);
}

INSTANTIATE_TEST_SUITE_P(EveryPlane, CommandTargetInView,
                         ::testing::Combine(::testing::Values(kPlaneXY, kPlaneXZ, kPlaneYZ),
                                            ::testing::Bool()));

TEST(SelectionDescription, SaysKindClassSizeAndTexture) {
    const std::unique_ptr<ReadMap> read = Read(kMap);
    CTolveDoc& doc = *read->doc;
    CEditorState& state = doc.GetEditorState();
    CModelEntity& door = *doc.GetModelEntities()[0];
    state.SetEditMode(kBrushMode);
    EXPECT_EQ(DescribeSelection(doc), "");
    state.SetHover({&door, door.m_brushes[0].get(), 0, 0, nullptr});
    EXPECT_EQ(DescribeHover(doc),
              "func_door brush 1 of 1 \u00b7 64 \u00d7 64 \u00d7 64 \u00b7 metal2_4");
    CSelectionSet set;
    set.Add(*doc.GetWorldBrushes()[0], CSelectionSet::kWholeBrush);
    set.Add(*door.m_brushes[0], CSelectionSet::kWholeBrush);
    state.SetSelectionSet(set);
    EXPECT_EQ(DescribeSelectionSet(doc), "2 brushes selected \u00b7 192 \u00d7 192 \u00d7 192");
    EXPECT_EQ(DescribeSelection(doc), DescribeHover(doc) + " \u2014 " + DescribeSelectionSet(doc));
    state.SetEditMode(kEntityMode);
    state.SetSelectedPointEntity(doc.GetPointEntities()[0].get());
    EXPECT_EQ(DescribeSelection(doc), "light \u00b7 32 32 32 \u00b7 light 300");
    state.SetEditMode(kCornerMode);
    state.SetHover({nullptr, doc.GetWorldBrushes()[0].get(), 0, 0, nullptr});
    const IntPoint& corner = doc.GetWorldBrushes()[0]->m_vertices[0];
    EXPECT_EQ(DescribeHover(doc).rfind("corner " + std::to_string(corner.x) + " ", 0), 0u)
        << DescribeHover(doc);
}
