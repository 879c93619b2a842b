#include "view/CClipTool.h"

#include "map/BrushClip.h"
#include "map/CMapHistory.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The world cube, and a door of one box 128 units wide off the grid, from
// (-61, -59, -57) to (67, 69, 71).
const std::string kMap = CubeMapText("{\n\"classname\" \"func_door\"\n{\n"
                                     "( -61 0 1 ) ( -61 -1 0 ) ( -61 0 0 ) door 0 0 0 1 1\n"
                                     "( 67 0 1 ) ( 67 1 0 ) ( 67 0 0 ) door 0 0 0 1 1\n"
                                     "( 0 -59 1 ) ( 1 -59 0 ) ( 0 -59 0 ) door 0 0 0 1 1\n"
                                     "( 0 69 1 ) ( -1 69 0 ) ( 0 69 0 ) door 0 0 0 1 1\n"
                                     "( 0 1 -57 ) ( -1 0 -57 ) ( 0 0 -57 ) door 0 0 0 1 1\n"
                                     "( 0 1 71 ) ( 1 0 71 ) ( 0 0 71 ) door 0 0 0 1 1\n"
                                     "}\n}\n");
const IntPoint kDoorLow{-61, -59, -57};
const IntPoint kDoorHigh{67, 69, 71};
constexpr double kDoorVolume = 128.0 * 128.0 * 128.0;

struct ClipCase {
    ViewPlane plane;
    ClipSide side;
};

class ClipToolCut : public ::testing::TestWithParam<ClipCase> {};

ScreenPoint Offset(ScreenPoint p, int32_t dx, int32_t dy) {
    return {p.x + dx, p.y + dy};
}

IntPoint InPlane(int32_t plane, int32_t h, int32_t v) {
    IntPoint p;
    const int hAxis = HorizontalAxisOf(plane), vAxis = VerticalAxisOf(plane);
    (hAxis == 0 ? p.x : p.y) = h;
    (vAxis == 1 ? p.y : p.z) = v;
    return p;
}

double DoorVolume(const CTolveDoc& doc) {
    double volume = 0.0;
    for (const auto& brush : doc.GetModelEntities()[0]->m_brushes)
        volume += BrushVolume(*brush);
    return volume;
}

std::set<std::tuple<int32_t, int32_t, int32_t>> Corners(const CMapBrush& brush) {
    std::set<std::tuple<int32_t, int32_t, int32_t>> corners;
    for (int v = 0; v < brush.m_numVertices; ++v)
        corners.emplace(brush.m_vertices[v].x, brush.m_vertices[v].y, brush.m_vertices[v].z);
    return corners;
}

// A slanted line from near the door's top left corner (off the grid, so only
// the corner snap lands there) to a grid point right of it cuts the door.
TEST_P(ClipToolCut, KeepsTheSideItIsToldWithinTheDoor) {
    const ClipCase& c = GetParam();
    auto read = Read(kMap);
    CTolveDoc& doc = *read->doc;
    CViewProjection projection;
    projection.m_viewMode = c.plane;
    const int h = HorizontalAxisOf(c.plane), v = VerticalAxisOf(c.plane);
    CMapBrush& door = *doc.GetModelEntities()[0]->m_brushes[0];
    CSelectionSet set;
    set.Add(door, CSelectionSet::kWholeBrush);
    doc.GetEditorState().SetSelectionSet(set);
    doc.GetEditorState().SetClipSide(c.side);

    CClipTool tool(doc);
    const IntPoint corner = InPlane(c.plane, kDoorLow.Component(h), kDoorHigh.Component(v));
    tool.Click(projection, Offset(projection.WorldToScreen(corner), 2, -3));
    tool.Click(projection, projection.WorldToScreen(InPlane(c.plane, 72, 0)));
    ASSERT_EQ(tool.CountPoints(), 2);
    EXPECT_EQ(tool.GetPoint(0).Component(h), kDoorLow.Component(h)) << "the corner snap";
    EXPECT_EQ(tool.GetPoint(0).Component(v), kDoorHigh.Component(v)) << "the corner snap";
    EXPECT_FALSE(tool.PreviewLines(projection).empty());
    const std::string before = MapText(doc);
    ASSERT_EQ(tool.Apply(), "");

    const CModelEntity& entity = *doc.GetModelEntities()[0];
    ASSERT_EQ(entity.m_brushes.size(), c.side == ClipSide::kBoth ? 2u : 1u);
    // Walking from the first point to the second, the front lies right of
    // the line as the view shows it. In the XY and XZ views the walk goes
    // right and down, leaving the door's high corner behind it; the YZ view
    // shows y growing leftward, so there the walk goes left and down.
    bool keepsHighCorner = false;
    for (const auto& brush : entity.m_brushes) {
        for (int k = 0; k < brush->m_numVertices; ++k) {
            const IntPoint& p = brush->m_vertices[k];
            keepsHighCorner = keepsHighCorner || (p.Component(h) == kDoorHigh.Component(h) &&
                                                  p.Component(v) == kDoorHigh.Component(v));
        }
    }
    const bool frontHasIt = c.plane == kPlaneYZ;
    EXPECT_EQ(keepsHighCorner,
              c.side == ClipSide::kBoth || (c.side == ClipSide::kFront) == frontHasIt);
    const double kept = DoorVolume(doc);
    EXPECT_GT(kept, 0.0);
    if (c.side == ClipSide::kBoth) {
        EXPECT_NEAR(kept, kDoorVolume, 128.0 * 128.0);
    } else {
        // The other side, cut from the map as it was, fills the rest.
        auto other = Read(before);
        CTolveDoc& otherDoc = *other->doc;
        CSelectionSet otherSet;
        otherSet.Add(*otherDoc.GetModelEntities()[0]->m_brushes[0], CSelectionSet::kWholeBrush);
        otherDoc.GetEditorState().SetSelectionSet(otherSet);
        otherDoc.GetEditorState().SetClipSide(c.side == ClipSide::kFront ? ClipSide::kBack
                                                                         : ClipSide::kFront);
        CClipTool otherTool(otherDoc);
        otherTool.Click(projection, projection.WorldToScreen(tool.GetPoint(0)));
        otherTool.Click(projection, projection.WorldToScreen(tool.GetPoint(1)));
        ASSERT_EQ(otherTool.Apply(), "");
        EXPECT_LT(kept, kDoorVolume - 128.0 * 128.0);
        EXPECT_NEAR(kept + DoorVolume(otherDoc), kDoorVolume, 128.0 * 128.0);
    }
    // The file holds the very corners: no plane moved by writing it.
    auto again = Read(MapText(doc));
    const std::vector<const CMapBrush*> written = BrushesInOrder(*again->doc);
    const std::vector<const CMapBrush*> held = BrushesInOrder(doc);
    ASSERT_EQ(written.size(), held.size());
    for (size_t b = 0; b < held.size(); ++b)
        EXPECT_EQ(Corners(*written[b]), Corners(*held[b])) << b;
}

INSTANTIATE_TEST_SUITE_P(
    EveryViewAndSide, ClipToolCut,
    ::testing::Values(ClipCase{kPlaneXY, ClipSide::kFront}, ClipCase{kPlaneXY, ClipSide::kBack},
                      ClipCase{kPlaneXZ, ClipSide::kFront}, ClipCase{kPlaneXZ, ClipSide::kBack},
                      ClipCase{kPlaneYZ, ClipSide::kFront}, ClipCase{kPlaneYZ, ClipSide::kBoth}));

// A line beside the door, keeping the side the door is not on, would leave
// nothing of it: the cut is refused, naming the brush, and the map stays.
TEST(ClipTool, CutLeavingNothingIsRefused) {
    auto read = Read(kMap);
    CTolveDoc& doc = *read->doc;
    CViewProjection projection;
    CSelectionSet set;
    set.Add(*doc.GetModelEntities()[0]->m_brushes[0], CSelectionSet::kWholeBrush);
    doc.GetEditorState().SetSelectionSet(set);
    const std::string before = MapText(doc);
    for (const ClipSide side : {ClipSide::kFront, ClipSide::kBack}) {
        doc.GetEditorState().SetClipSide(side);
        CClipTool tool(doc);
        // Upward along x = 200, right of the door: its front faces away from it.
        tool.Click(projection, projection.WorldToScreen(200, 0, 0));
        tool.Click(projection, projection.WorldToScreen(200, 64, 0));
        const std::string refusal = tool.Apply();
        if (side == ClipSide::kFront) {
            EXPECT_NE(refusal.find("Brush 1 of brush entity 1 (func_door)"), std::string::npos)
                << refusal;
            EXPECT_EQ(MapText(doc), before);
            EXPECT_FALSE(doc.GetHistory().CanUndo());
        } else {
            EXPECT_EQ(refusal, ""); // the whole door is kept as it is
        }
    }
}

} // namespace
