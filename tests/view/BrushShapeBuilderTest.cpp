#include "view/BrushShapeBuilder.h"
#include "map/CMapEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// XY at zoom 1 with the mouse over world (100, 200): origins chosen so that
// pixel (300, 250) is that point.
struct ShapeFixture {
    CViewProjection projection;
    ScreenPoint mouse{300, 250};
    IntPoint insertion;
    ShapeFixture() {
        projection.m_originX = 100 - 300;
        projection.m_originY = 200 + 250;
    }
    bool Build(CMapBrush& brush, int16_t w, int16_t h, int16_t snap, uint8_t n, bool prism) {
        return brushshapes::BuildBrushShape(brush, projection, mouse, insertion, w, h, snap, n,
                                            prism);
    }
};

// Every face lists its corners clockwise seen from outside: all the brush's
// vertices lie on or behind the plane through its first three corners.
void ExpectFacesPointOutward(const CMapBrush& brush) {
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        const IntPoint& p = brush.m_vertices[face.vertexIndex[0]];
        const IntPoint& q = brush.m_vertices[face.vertexIndex[1]];
        const IntPoint& r = brush.m_vertices[face.vertexIndex[2]];
        int64_t a[3] = {p.x - q.x, p.y - q.y, p.z - q.z};
        int64_t b[3] = {r.x - q.x, r.y - q.y, r.z - q.z};
        int64_t n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                        a[0] * b[1] - a[1] * b[0]};
        EXPECT_NE(n[0] | n[1] | n[2], 0) << "face " << f;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const IntPoint& s = brush.m_vertices[v];
            int64_t d = n[0] * (s.x - q.x) + n[1] * (s.y - q.y) + n[2] * (s.z - q.z);
            EXPECT_LE(d, 0) << "face " << f << " vertex " << v;
        }
    }
}

std::vector<std::pair<int, int>> BaseOffsets(const CViewProjection& projection,
                                             const CMapBrush& brush, int n, ScreenPoint mouse) {
    std::vector<std::pair<int, int>> offsets;
    for (int i = 0; i < n; ++i) {
        ScreenPoint s = projection.WorldToScreen(brush.m_vertices[i]);
        offsets.emplace_back(s.x - mouse.x, s.y - mouse.y);
    }
    return offsets;
}

} // namespace

TEST(BuildBrushShape, FourSidedBoxAroundTheMouse) {
    ShapeFixture f;
    CMapBrush unsnapped, snapped;
    ASSERT_TRUE(f.Build(unsnapped, 64, 64, 1, 4, true));
    const IntPoint before[4] = {{68, 232, 0}, {68, 168, 0}, {132, 168, 0}, {132, 232, 0}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(unsnapped.m_vertices[i], before[i]) << i;
    ASSERT_TRUE(f.Build(snapped, 64, 64, 8, 4, true));
    const IntPoint after[4] = {{72, 232, 0}, {72, 168, 0}, {136, 168, 0}, {136, 232, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(snapped.m_vertices[i], after[i]) << i;
        IntPoint top = after[i];
        top.z = 64;
        EXPECT_EQ(snapped.m_vertices[4 + i], top) << i;
    }
    EXPECT_EQ(snapped.m_numVertices, 8);
    EXPECT_EQ(snapped.m_numFaces, 6);
    ExpectFacesPointOutward(snapped);
}

TEST(BuildBrushShape, TriangleAndHexagonBaseOffsets) {
    ShapeFixture f;
    CMapBrush triangle, hexagon;
    ASSERT_TRUE(f.Build(triangle, 64, 64, 1, 3, true));
    EXPECT_EQ(BaseOffsets(f.projection, triangle, 3, f.mouse),
              (std::vector<std::pair<int, int>>{{-64, 0}, {31, 55}, {32, -55}}));
    ASSERT_TRUE(f.Build(hexagon, 64, 64, 1, 6, false));
    EXPECT_EQ(BaseOffsets(f.projection, hexagon, 6, f.mouse),
              (std::vector<std::pair<int, int>>{
                  {0, -37}, {-32, -18}, {-32, 18}, {0, 37}, {32, 18}, {32, -18}}));
}

TEST(BuildBrushShape, BaseIsMeasuredInPixelsAndHeightInWorldUnits) {
    ShapeFixture f;
    f.projection.m_zoom = 4;
    CMapBrush brush;
    ASSERT_TRUE(f.Build(brush, 64, 64, 1, 4, true));
    int32_t minX = INT32_MAX, maxX = INT32_MIN, maxZ = INT32_MIN;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        minX = std::min(minX, brush.m_vertices[v].x);
        maxX = std::max(maxX, brush.m_vertices[v].x);
        maxZ = std::max(maxZ, brush.m_vertices[v].z);
    }
    EXPECT_EQ(maxX - minX, 256);
    EXPECT_EQ(maxZ, 64);
}

TEST(BuildBrushShape, FlippedViewMirrorsTheBaseAndSendsTheTopTheOtherWay) {
    ShapeFixture f;
    CMapBrush plain, flipped;
    ASSERT_TRUE(f.Build(plain, 64, 64, 1, 5, true));
    f.projection.m_flipped = true;
    ASSERT_TRUE(f.Build(flipped, 64, 64, 1, 5, true));
    for (int i = 0; i < 5; ++i) {
        // Same pixels, so the world x is mirrored.
        EXPECT_EQ(flipped.m_vertices[i].x, -plain.m_vertices[i].x);
        EXPECT_EQ(flipped.m_vertices[5 + i].z, -64);
    }
    ExpectFacesPointOutward(flipped);
}

TEST(BuildBrushShape, EveryShapeFacesOutwardInEveryPlane) {
    ShapeFixture f;
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        for (bool prism : {true, false}) {
            for (int n : {3, 4, 7, 12, 24}) {
                f.projection.m_viewMode = plane;
                CMapBrush brush;
                ASSERT_TRUE(f.Build(brush, 128, 96, 1, static_cast<uint8_t>(n), prism));
                SCOPED_TRACE(testing::Message()
                             << "plane " << plane << " prism " << prism << " n " << n);
                EXPECT_EQ(brush.m_numVertices, prism ? 2 * n : n + 1);
                EXPECT_EQ(brush.m_numFaces, prism ? n + 2 : n + 1);
                ExpectFacesPointOutward(brush);
            }
        }
    }
}

TEST(BuildBrushShape, TooManyOrTooFewSidesAreRefusedWithAMessage) {
    CRecordingMessages messages;
    ShapeFixture f;
    CMapBrush brush;
    EXPECT_TRUE(f.Build(brush, 64, 64, 8, 30, true));
    EXPECT_TRUE(f.Build(brush, 64, 64, 8, 31, false));
    EXPECT_TRUE(messages.m_boxes.empty());
    CMapBrush untouched;
    EXPECT_FALSE(f.Build(untouched, 64, 64, 8, 31, true));
    EXPECT_FALSE(f.Build(untouched, 64, 64, 8, 32, false));
    EXPECT_FALSE(f.Build(untouched, 64, 64, 8, 2, true));
    EXPECT_EQ(untouched.m_numVertices, 0);
    ASSERT_EQ(messages.m_boxes.size(), 3u);
    EXPECT_EQ(messages.m_boxes[0].title, "New Brush");
    EXPECT_EQ(messages.m_boxes[0].text,
              "A box can have from 3 to 30 base sides; 31 is too many for one brush.");
}

TEST(BuildBrushShape, NewBrushWrittenAndReadBackKeepsItsCorners) {
    ShapeFixture f;
    for (bool prism : {true, false}) {
        CTolveDoc doc;
        auto brush = std::make_unique<CMapBrush>();
        ASSERT_TRUE(f.Build(*brush, 96, 48, 8, 6, prism));
        std::vector<IntPoint> corners(brush->m_vertices, brush->m_vertices + brush->m_numVertices);
        Edit(doc, [&](CMapEdits& edits) { edits.AddBrush(nullptr, std::move(brush)); });
        std::string text = MapText(doc);
        CTolveDoc again;
        CRecordingDiagnostics diagnostics;
        again.ReadMapText(text.c_str(), diagnostics);
        EXPECT_TRUE(diagnostics.m_entries.empty());
        ASSERT_EQ(again.GetWorldBrushes().size(), 1u);
        const CMapBrush& read = *again.GetWorldBrushes()[0];
        std::vector<IntPoint> readCorners(read.m_vertices, read.m_vertices + read.m_numVertices);
        auto less = [](const IntPoint& a, const IntPoint& b) {
            return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
        };
        std::sort(corners.begin(), corners.end(), less);
        std::sort(readCorners.begin(), readCorners.end(), less);
        EXPECT_EQ(readCorners, corners) << "prism " << prism;
    }
}
