#include "scene/SceneClipPoint.h"

#include "TestSupport.h"
#include "map/BrushGeometry.h"
#include "map/CMapHistory.h"
#include "map/CMapTransaction.h"
#include "view/CClipTool.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 640, kHeight = 480;

// A wedge in the world, off the grid: its top slopes from z 40 at x -61 down
// to z 8 at x 67, and its box runs from (-61, -59, -57) to (67, 69, 40).
const std::string kWedge = "{\n\"classname\" \"worldspawn\"\n{\n"
                           "( -61 0 1 ) ( -61 -1 0 ) ( -61 0 0 ) wall 0 0 0 1 1\n"
                           "( 67 0 1 ) ( 67 1 0 ) ( 67 0 0 ) wall 0 0 0 1 1\n"
                           "( 0 -59 1 ) ( 1 -59 0 ) ( 0 -59 0 ) wall 0 0 0 1 1\n"
                           "( 0 69 1 ) ( -1 69 0 ) ( 0 69 0 ) wall 0 0 0 1 1\n"
                           "( 0 1 -57 ) ( -1 0 -57 ) ( 0 0 -57 ) wall 0 0 0 1 1\n"
                           "( -61 0 40 ) ( -61 1 40 ) ( 67 0 8 ) wall 0 0 0 1 1\n"
                           "}\n}\n";

// The camera above and in front of the wedge, looking down at it along +Y.
CSceneCamera Eye() {
    CSceneCamera camera;
    camera.SetPosition({0, -400, 300});
    camera.SetAngles(90, -35);
    return camera;
}

struct Clicks {
    std::unique_ptr<ReadMap> read = Read(kWedge);
    CTolveDoc& doc = *read->doc;
    CMapBrush& wedge = *doc.GetWorldBrushes()[0];
    CSceneCamera camera = Eye();

    std::optional<IntPoint> ClickAt(const Vec3d& world, double nudgeX = 0, double nudgeY = 0) {
        const ScenePixel pixel = *camera.PixelOf(world, kWidth, kHeight);
        const ScenePixel mouse{pixel.x + nudgeX, pixel.y + nudgeY};
        const ScenePick pick = PickAlongRay(doc, camera.MakeRay(mouse.x, mouse.y, kWidth, kHeight));
        return SnapSceneClipPoint(doc, pick, camera, mouse, kWidth, kHeight);
    }
};

TEST(SceneClipPoint, CornerNearThePointerWinsElseTheGridOnTheFacesPlane) {
    Clicks c;
    c.doc.GetEditorState().SetSnap(8);
    // A few pixels off the off-grid corner: the corner itself.
    EXPECT_EQ(c.ClickAt({-61, -59, 40}, 3, -2), (IntPoint{-61, -59, 40}));
    // On the slope, away from corners: x and y on the grid, z on the slope
    // (z = 40 - (x + 61) / 4), which no grid point need be on.
    const std::optional<IntPoint> onSlope = c.ClickAt({10, 20, 40 - (10 + 61) / 4.0});
    ASSERT_TRUE(onSlope);
    EXPECT_EQ(onSlope->x % 8, 0);
    EXPECT_EQ(onSlope->y % 8, 0);
    EXPECT_NEAR(onSlope->z, 40 - (onSlope->x + 61) / 4.0, 0.5);
    // Nothing under the pointer sets no point.
    EXPECT_FALSE(c.ClickAt({0, 0, 250}));
}

// Three points clicked on faces anticlockwise as the camera sees them keep
// the part toward the eye; the preview follows the map once told it changed.
TEST(SceneClipPoint, ThreeClicksCutTheWedgeAndThePreviewFollowsTheMap) {
    Clicks c;
    c.doc.GetEditorState().SetSnap(1);
    CSelectionSet set;
    set.Add(c.wedge, CSelectionSet::kWholeBrush);
    c.doc.GetEditorState().SetSelectionSet(set);
    CClipTool tool(c.doc, ClipClicks::kThreeOnFaces);
    const double volume = BrushVolume(c.wedge);
    // Across the wedge's front face at y = -59, upright through x = 3, where
    // the slope has whole corners.
    for (const Vec3d& at : {Vec3d{3, -59, -40}, Vec3d{3, -59, 0}})
        tool.AddPoint(*c.ClickAt(at));
    EXPECT_FALSE(tool.GetPlane());
    const size_t edgesBefore = tool.PreviewEdges().size();
    EXPECT_EQ(edgesBefore, 0u);
    tool.AddPoint(*c.ClickAt({3, 20, 24}));
    ASSERT_TRUE(tool.GetPlane());
    const std::vector<ClipPreviewEdge> preview = tool.PreviewEdges();
    EXPECT_FALSE(preview.empty());

    // A move of the wedge changes what the cut would leave.
    {
        CMapTransaction move(c.doc, "Move");
        move.Edits().MoveBrush(c.wedge, {16, 0, 0});
        move.Commit();
    }
    tool.ForgetPreview();
    EXPECT_NE(tool.PreviewEdges(), preview);
    c.doc.GetHistory().Undo(c.doc);
    tool.ForgetPreview();

    c.doc.GetEditorState().SetClipSide(ClipSide::kBoth);
    ASSERT_EQ(tool.Apply(), "");
    ASSERT_EQ(c.doc.GetWorldBrushes().size(), 2u);
    double halves = 0.0;
    for (const auto& brush : c.doc.GetWorldBrushes()) {
        halves += BrushVolume(*brush);
        IntBox box = *brush->GetBounds();
        EXPECT_TRUE(box.max.x <= 3 || box.min.x >= 3);
    }
    EXPECT_NEAR(halves, volume, 1e-6 * volume);
}

} // namespace
