// How the textures of Valve faces follow the edits of their brushes.
#include "map/BrushFaceTransfer.h"
#include "map/CMapEdits.h"
#include "map/CMapWriter.h"
#include "map/FormatConversion.h"
#include "map/FragmentPlacement.h"
#include "map/PastedMapText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The texel a point of a face shows: s = P . u / xScale + uOffset, and t.
struct TexCoord {
    double s, t;
};

TexCoord TexCoordAt(const CMapBrush& brush, int face, const IntPoint& point) {
    const ValveAxes& axes = brush.m_valveAxes.at(face);
    const Vec3d p = ToVec3d(point);
    return {Dot(p, axes.u) / brush.m_faces[face].xScale + axes.uOffset,
            Dot(p, axes.v) / brush.m_faces[face].yScale + axes.vOffset};
}

void ExpectSameTexel(const TexCoord& a, const TexCoord& b) {
    EXPECT_NEAR(a.s, b.s, 1e-9);
    EXPECT_NEAR(a.t, b.t, 1e-9);
}

// A 128 cube about the origin whose west face has a turned, scaled texture.
std::string ValveCubeText() {
    return "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n{\n"
           "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) w [ 0 -0.6 0.8 3.5 ] [ 0 0.8 0.6 -7 ] 37 0.5 2\n"
           "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) e [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) s [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) n [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) d [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) u [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n}\n}\n";
}

struct ValveFixture {
    CTolveDoc doc;

    explicit ValveFixture(const std::string& text = ValveCubeText()) {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(text, diagnostics);
    }
    CMapBrush& Brush() { return *doc.GetWorldBrushes().at(0); }
    // The first corner of a face.
    IntPoint Corner(int face) { return Brush().m_vertices[Brush().m_faces[face].vertexIndex[0]]; }
};

IntPoint Plus(const IntPoint& a, const IntPoint& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

} // namespace

TEST(TextureLock, AMovedValveBrushKeepsEachTextureWhereItWasOnTheFace) {
    ValveFixture f;
    const IntPoint delta(24, -40, 8);
    std::vector<TexCoord> before;
    for (int face = 0; face < 6; ++face)
        before.push_back(TexCoordAt(f.Brush(), face, f.Corner(face)));
    Edit(f.doc, [&](CMapEdits& edits) { edits.MoveBrush(f.Brush(), delta); });
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        // The corner moved with the brush and shows the same texel.
        ExpectSameTexel(TexCoordAt(f.Brush(), face, f.Corner(face)), before[face]);
    }
    // The moved line is written anew: (-40 * -0.6 + 8 * 0.8) / 0.5 = 60.8 less
    // along u, (-40 * 0.8 + 8 * 0.6) / 2 = -13.6 less along v.
    EXPECT_NE(MapText(f.doc).find(" w [ 0 -0.6 0.8 -57.3 ] [ 0 0.8 0.6 6.6 ] 37 0.5 2\n"),
              std::string::npos)
        << MapText(f.doc);
}

TEST(TextureLock, OffLeavesTheOffsetsAndAStandardMapIsNeverTouched) {
    ValveFixture f;
    f.doc.m_textureLock = false;
    const ValveAxes axes = f.Brush().m_valveAxes[0];
    Edit(f.doc, [&](CMapEdits& edits) { edits.MoveBrush(f.Brush(), IntPoint(16, 0, 0)); });
    EXPECT_EQ(f.Brush().m_valveAxes[0], axes);

    ValveFixture standard(CubeMapText());
    Edit(standard.doc,
         [&](CMapEdits& edits) { edits.MoveBrush(standard.Brush(), IntPoint(16, 0, 0)); });
    EXPECT_FALSE(standard.Brush().HasValveAxes());
    EXPECT_EQ(standard.Brush().m_faces[0].xOffset, 0);
}

TEST(TextureLock, AStandardBrushMovedInAValveMapTakesAxesFirst) {
    ValveFixture f("{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n{\n" +
                   std::string(kCubeFaceLines) + "}\n}\n");
    ASSERT_FALSE(f.Brush().HasValveAxes());
    Edit(f.doc, [&](CMapEdits& edits) { edits.MoveBrush(f.Brush(), IntPoint(0, 0, 10)); });
    ASSERT_TRUE(f.Brush().HasValveAxes());
    // The west wall: u along -y... of its axis plane, v down; moved up by 10.
    EXPECT_EQ(f.Brush().m_valveAxes[0].vOffset, 10.0);
}

TEST(TextureLock, APlaneThatTurnsKeepsItsAxesOnItAndItsTextureWhereTheFacesMeet) {
    ValveFixture f;
    CMapBrush& brush = f.Brush();
    // Raise one top corner of the east face: the east and top faces turn.
    int corner = -1;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (brush.m_vertices[v] == IntPoint(64, 64, 64))
            corner = v;
    }
    ASSERT_GE(corner, 0);
    // The east face's corners that stay put, and their texels.
    std::vector<IntPoint> staying;
    for (int k = 0; k < brush.m_faces[1].numPoints; ++k) {
        const IntPoint& p = brush.m_vertices[brush.m_faces[1].vertexIndex[k]];
        if (!(p == IntPoint(64, 64, 64)))
            staying.push_back(p);
    }
    std::vector<TexCoord> before;
    for (const IntPoint& p : staying)
        before.push_back(TexCoordAt(brush, 1, p));
    const ValveAxes west = brush.m_valveAxes[0];
    Edit(f.doc, [&](CMapEdits& edits) {
        edits.MoveVertices(brush, std::span(&corner, 1), IntPoint(0, 0, 32));
    });
    // A face whose plane did not turn keeps its axes exactly.
    EXPECT_EQ(brush.m_valveAxes[0], west);
    for (size_t k = 0; k < staying.size(); ++k)
        ExpectSameTexel(TexCoordAt(brush, 1, staying[k]), before[k]);
}

TEST(TextureLock, ATurnedRotationTurnsTheAxesAboutTheNormal) {
    ValveFixture f("{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n{\n" +
                   std::string(kCubeFaceLines) + "}\n}\n");
    CMapBrush& brush = f.Brush();
    GiveValveAxes(brush);
    FaceTexture texture;
    std::strcpy(texture.texture, "floor");
    texture.rotation = 90.0f;
    texture.xOffset = 2.5;
    texture.yOffset = -4.0;
    Edit(f.doc, [&](CMapEdits& edits) { edits.SetFaceTexture(brush, 4, texture); });
    // The floor's u (x) turned a quarter about +z is +y; its v (-y) is +x.
    EXPECT_EQ(brush.m_valveAxes[4].u, (Vec3d{0, 1, 0}));
    EXPECT_EQ(brush.m_valveAxes[4].v, (Vec3d{1, 0, 0}));
    EXPECT_EQ(brush.m_valveAxes[4].uOffset, 2.5);
    // That is the standard face turned by 90 with the same offsets.
    const std::string standard = [&] {
        MapContents contents = f.doc.GetContents();
        contents.format = MapFormat::kStandard;
        return CMapWriter::WriteText(contents);
    }();
    EXPECT_NE(standard.find(" floor 2.5 -4 90.000000 1.000000 1.000000\n"), std::string::npos)
        << standard;
}

TEST(TextureLock, APastedValveBrushTakesItsTextureAlongToWhereItIsPasted) {
    PastedMapText pasted = ReadPastedMapText(ValveCubeText(), MapFormat::kValve);
    ASSERT_FALSE(pasted.problem);
    CMapBrush& brush = *pasted.fragment.worldBrushes.at(0);
    const IntPoint corner = brush.m_vertices[brush.m_faces[0].vertexIndex[0]];
    const TexCoord before = TexCoordAt(brush, 0, corner);
    const IntPoint delta(128, 0, 0);
    MoveFragment(pasted.fragment, delta, true);
    ExpectSameTexel(TexCoordAt(brush, 0, Plus(corner, delta)), before);
    // Without texture lock the texture stays in the world: 64 units along y
    // are 64 * -0.6 / 0.5 texels of the west face.
    const IntPoint across(0, 64, 0);
    MoveFragment(pasted.fragment, across, false);
    EXPECT_NEAR(TexCoordAt(brush, 0, Plus(corner, Plus(delta, across))).s, before.s - 76.8, 1e-9);
}
