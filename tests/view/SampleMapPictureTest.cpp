#include "widgets/CTolveView.h"

#include "TestSupport.h"
#include "view/CCanvas.h"

#include <gtest/gtest.h>

#include <climits>

// The bundled sample map drawn in XY by the view itself, checked on a few
// chosen pixels rather than against a whole golden picture.
namespace {

QRgb Rgb32(Rgb colour) {
    return qRgb(colour.r, colour.g, colour.b);
}

struct SamplePicture {
    CTolveDoc doc;
    std::unique_ptr<CTolveView> view;
    explicit SamplePicture(int32_t zoom) {
        CRecordingDiagnostics diagnostics;
        std::string text = ReadFileText(std::filesystem::path(TOLVE_SAMPLES) / "demo.map");
        doc.ReadMapText(text.c_str(), diagnostics);
        EXPECT_TRUE(diagnostics.m_entries.empty());
        view = std::make_unique<CTolveView>(doc);
        view->resize(1000, 800);
        CViewProjection& p = view->m_projection;
        p.m_zoom = zoom;
        p.m_originX = -500 * zoom; // the world origin in the middle
        p.m_originY = 400 * zoom;
        view->InvalidateAll();
    }
    QRgb PixelAt(int32_t x, int32_t y, int32_t z) {
        ScreenPoint s = view->m_projection.WorldToScreen(x, y, z);
        return view->RenderNow().pixel(s.x, s.y);
    }
};

} // namespace

TEST(SampleMapPicture, PlayerStartIsADarkGreenDisc) {
    SamplePicture picture(2);
    const CPointEntity* start = nullptr;
    for (const auto& entity : picture.doc.GetPointEntities()) {
        if (entity->m_classname == "info_player_start")
            start = entity.get();
    }
    ASSERT_NE(start, nullptr);
    const IntPoint& o = start->m_origin;
    EXPECT_EQ(picture.PixelAt(o.x, o.y, o.z), Rgb32(kDarkGreen));
    // Its radius is 8 / 2 = 4 pixels: 6 pixels away is background again.
    ScreenPoint s = picture.view->m_projection.WorldToScreen(o);
    EXPECT_EQ(picture.view->RenderNow().pixel(s.x - 6, s.y), qRgb(255, 255, 255));
}

TEST(SampleMapPicture, OutermostWallEdgeIsNavy) {
    SamplePicture picture(2);
    // The world corner farthest west, and an edge running north-south from it.
    const CMapBrush* wall = nullptr;
    int32_t west = INT32_MAX;
    for (const auto& brush : picture.doc.GetWorldBrushes()) {
        for (int v = 0; v < brush->m_numVertices; ++v) {
            if (brush->m_vertices[v].x < west) {
                west = brush->m_vertices[v].x;
                wall = brush.get();
            }
        }
    }
    ASSERT_NE(wall, nullptr);
    int32_t south = INT32_MAX, north = INT32_MIN;
    for (int v = 0; v < wall->m_numVertices; ++v) {
        if (wall->m_vertices[v].x == west) {
            south = std::min(south, wall->m_vertices[v].y);
            north = std::max(north, wall->m_vertices[v].y);
        }
    }
    ASSERT_LT(south, north);
    EXPECT_EQ(picture.PixelAt(west, south + (north - south) / 4, 0), Rgb32(kNavy));
    // Just outside the map there is nothing.
    EXPECT_EQ(picture.PixelAt(west - 32, south + (north - south) / 4, 0), qRgb(255, 255, 255));
}

TEST(SampleMapPicture, LimitsRectangleIsGreyFromFarAway) {
    SamplePicture picture(64);
    const IntPoint& u = picture.doc.GetEditorState().GetUpperLimit(); // smallest x, largest y
    EXPECT_EQ(picture.PixelAt(u.x, u.y / 2, 0), Rgb32(kGrey));        // west side
    EXPECT_EQ(picture.PixelAt(u.x / 2, u.y, 0), Rgb32(kGrey));        // north side
    EXPECT_EQ(picture.PixelAt(u.x / 2, u.y / 2, 0), qRgb(255, 255, 255));
}
