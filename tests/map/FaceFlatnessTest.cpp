#include "map/FaceFlatness.h"

#include "TestSupport.h"
#include "map/CTolveDoc.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct CubeFixture {
    CTolveDoc doc;
    CubeFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(CubeMapText().c_str(), diagnostics);
    }
    CMapBrush& Brush() { return *doc.GetWorldBrushes().at(0); }
    IntPoint& Corner(IntPoint at) {
        for (int v = 0; v < Brush().m_numVertices; ++v) {
            if (Brush().m_vertices[v] == at)
                return Brush().m_vertices[v];
        }
        throw std::out_of_range("no such corner");
    }
};

} // namespace

TEST(FaceFlatness, CountsTheFacesAMovedCornerBends) {
    CubeFixture f;
    EXPECT_EQ(CountNonFlatFaces(f.Brush()), 0);
    // Up along z the corner stays in both side planes; only the top bends.
    f.Corner({64, 64, 64}).z = 80;
    EXPECT_EQ(CountNonFlatFaces(f.Brush()), 1);
    // Out along x and y it leaves both side planes as well as the top.
    f.Corner({64, 64, 80}) = IntPoint(72, 72, 64);
    EXPECT_EQ(CountNonFlatFaces(f.Brush()), 2);
    // Moving a whole face keeps it flat; its neighbours' planes go along with
    // a move inside them.
    f.Corner({72, 72, 64}) = IntPoint(64, 64, 64);
    EXPECT_EQ(CountNonFlatFaces(f.Brush()), 0);
}

TEST(FaceFlatness, FirstThreeCornersOnALineSpanNoPlane) {
    CMapBrush brush;
    brush.m_numVertices = 4;
    brush.m_vertices[0] = IntPoint(0, 0, 0);
    brush.m_vertices[1] = IntPoint(8, 0, 0);
    brush.m_vertices[2] = IntPoint(16, 0, 0);
    brush.m_vertices[3] = IntPoint(0, 8, 0);
    brush.m_numFaces = 1;
    brush.m_faces[0].numPoints = 4;
    for (uint8_t k = 0; k < 4; ++k)
        brush.m_faces[0].vertexIndex[k] = k;
    EXPECT_FALSE(IsFaceFlat(brush, 0));
    brush.m_vertices[2] = IntPoint(8, 8, 0);
    EXPECT_TRUE(IsFaceFlat(brush, 0));
}

TEST(FaceFlatness, IsExactAtTheFarEndsOfTheCoordinateRange) {
    CMapBrush brush;
    brush.m_numVertices = 4;
    brush.m_vertices[0] = IntPoint(INT32_MIN, INT32_MIN, 0);
    brush.m_vertices[1] = IntPoint(INT32_MAX, INT32_MIN, 0);
    brush.m_vertices[2] = IntPoint(INT32_MAX, INT32_MAX, 0);
    brush.m_vertices[3] = IntPoint(INT32_MIN, INT32_MAX, 0);
    brush.m_numFaces = 1;
    brush.m_faces[0].numPoints = 4;
    for (uint8_t k = 0; k < 4; ++k)
        brush.m_faces[0].vertexIndex[k] = k;
    EXPECT_TRUE(IsFaceFlat(brush, 0));
    brush.m_vertices[3].z = 1; // one unit off across the whole range
    EXPECT_FALSE(IsFaceFlat(brush, 0));
}

TEST(FaceFlatness, TheNoticeSaysHowManyAndWhatTheFileKeeps) {
    EXPECT_EQ(DescribeNonFlatFaces(1), "1 face of this brush is not flat; the file keeps the plane "
                                       "through its first three corners.");
    EXPECT_EQ(DescribeNonFlatFaces(3), "3 faces of this brush are not flat; the file keeps the "
                                       "plane through each one's first three corners.");
}
