#include "map/FaceFlatness.h"
#include "view/CMapDrag.h"
#include "view/CMapSelection.h"
#include "view/CViewProjection.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

// A slab one unit thick on every axis: corners (0 0 0) and (1 1 1), so at one
// to one neighbouring corners share a pixel and only magnified can they be
// told apart.
constexpr const char* kThinBrushMap = R"({
"classname" "worldspawn"
{
( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 1 0 1 ) ( 1 1 0 ) ( 1 0 0 ) t 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 1 1 ) ( -1 1 0 ) ( 0 1 0 ) t 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 1 1 ) ( 1 0 1 ) ( 0 0 1 ) t 0 0 0 1 1
}
}
)";

void AddOne(IntPoint& p, int axis) {
    (axis == 0 ? p.x : axis == 1 ? p.y : p.z) += 1;
}

using Magnified = std::tuple<ViewPlane, bool, int32_t>; // plane, flipped, pixels per unit

class MagnifiedView : public ::testing::TestWithParam<Magnified> {
protected:
    MagnifiedView() : m_read(Read(kThinBrushMap)), m_doc(*m_read->doc) {
        m_projection.m_viewMode = std::get<0>(GetParam());
        m_projection.m_flipped = std::get<1>(GetParam());
        m_projection.m_magnify = std::get<2>(GetParam());
        // The world origin near the middle of a 400 x 400 view.
        const ScreenPoint origin = m_projection.WorldToScreen(0, 0, 0);
        m_projection.Pan(200 - origin.x, 200 - origin.y);
    }
    int32_t M() const { return m_projection.m_magnify; }
    // The two world axes across and down the screen.
    int H() const { return HorizontalAxisOf(m_projection.m_viewMode); }
    int V() const { return VerticalAxisOf(m_projection.m_viewMode); }
    CMapBrush& Brush() { return *m_doc.GetWorldBrushes()[0]; }

    std::unique_ptr<ReadMap> m_read;
    CTolveDoc& m_doc;
    CViewProjection m_projection;
};

TEST_P(MagnifiedView, WorldPointsLandOnWholePixelsAndReadBackExactly) {
    for (int32_t a = -300; a <= 300; a += 37) {
        for (int32_t b = -300; b <= 300; b += 41) {
            IntPoint p(a, b, a - b);
            const ScreenPoint s = m_projection.WorldToScreen(p);
            const IntPoint back = m_projection.ScreenToWorld(s.x, s.y, p);
            EXPECT_EQ(back, p) << a << " " << b;
            // One unit along each screen axis is M pixels.
            IntPoint q = p;
            AddOne(q, H());
            AddOne(q, V());
            const ScreenPoint t = m_projection.WorldToScreen(q);
            EXPECT_EQ(std::abs(t.x - s.x), M());
            EXPECT_EQ(s.y - t.y, M());
        }
    }
}

TEST_P(MagnifiedView, APixelReadsAsTheNearestWorldPoint) {
    const IntPoint depth(5, 6, 7);
    for (int32_t sx = 150; sx < 250; sx += 3) {
        for (int32_t sy = 150; sy < 250; sy += 7) {
            const IntPoint w = m_projection.ScreenToWorld(sx, sy, depth);
            const ScreenPoint s = m_projection.WorldToScreen(w);
            // Nearest: within half a unit, halves going one way only.
            EXPECT_LE(std::abs(s.x - sx) * 2, M()) << sx << " " << sy;
            EXPECT_LE(std::abs(s.y - sy) * 2, M()) << sx << " " << sy;
            EXPECT_EQ(w.Component(DepthAxisOf(m_projection.m_viewMode)),
                      depth.Component(DepthAxisOf(m_projection.m_viewMode)));
        }
    }
}

TEST_P(MagnifiedView, HoverTellsApartCornersOneUnitApart) {
    IntPoint cursor;
    for (int v = 0; v < Brush().m_numVertices; ++v) {
        const IntPoint corner = Brush().m_vertices[v];
        ScreenPoint s = m_projection.WorldToScreen(corner);
        s.x += M() / 4; // a little off the corner, never nearer a neighbour
        CMapSelection(m_doc, m_projection, s, cursor).UpdateSelection(false);
        const CEditorState& state = m_doc.GetEditorState();
        ASSERT_EQ(state.GetSelectedBrush(), &Brush());
        const IntPoint hovered = Brush().m_vertices[state.GetSelectedVertex()];
        EXPECT_EQ(hovered.Component(H()), corner.Component(H()));
        EXPECT_EQ(hovered.Component(V()), corner.Component(V()));
    }
}

// With a snap of one unit a drag moves by the units the mouse crossed, and the
// brush keeps its flat faces.
TEST_P(MagnifiedView, ABrushDragMovesByWholeUnitsOfTheMouse) {
    CEditorState& state = m_doc.GetEditorState();
    state.SetSnap(1);
    state.SetEditMode(kBrushMode);
    state.SetSelectedBrush(&Brush());
    const IntPoint before = Brush().m_vertices[0];
    const ScreenPoint press = m_projection.WorldToScreen(before);
    CMapDrag drag(m_doc, m_projection, press, state.GetHoverAsSet());
    EXPECT_FALSE(drag.Step({press.x + M() / 2 - 1, press.y})) << "under half a unit";
    EXPECT_TRUE(drag.Step({press.x + 3 * M(), press.y - 2 * M()}));
    drag.Commit();
    const IntPoint after = Brush().m_vertices[0];
    const ScreenPoint moved = m_projection.WorldToScreen(after);
    EXPECT_EQ(moved.x - press.x, 3 * M());
    EXPECT_EQ(moved.y - press.y, -2 * M());
    EXPECT_EQ(after.Component(DepthAxisOf(m_projection.m_viewMode)),
              before.Component(DepthAxisOf(m_projection.m_viewMode)));
    EXPECT_EQ(CountNonFlatFaces(Brush()), 0);
}

std::string MagnifiedName(const ::testing::TestParamInfo<Magnified>& info) {
    static const char* const kPlanes[] = {"XY", "XZ", "YZ"};
    return std::string(kPlanes[std::get<0>(info.param)]) +
           (std::get<1>(info.param) ? "Flipped" : "") + "Times" +
           std::to_string(std::get<2>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryPlane, MagnifiedView,
                         ::testing::Combine(::testing::Values(kPlaneXY, kPlaneXZ, kPlaneYZ),
                                            ::testing::Bool(), ::testing::Values(2, 4, 8, 16)),
                         MagnifiedName);

} // namespace
