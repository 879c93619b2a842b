// How the textures of faces follow the edits of their brushes.
#include "map/BrushFaceTransfer.h"
#include "map/CMapEdits.h"
#include "map/CMapWriter.h"
#include "map/FormatConversion.h"
#include "map/FragmentPlacement.h"
#include "map/PastedMapText.h"
#include "map/TextureProjection.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
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
           "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) w [ 0 -0.6 0.8 3.50 ] [ 0 0.8 0.6 -7.0 ] 37 0.50 "
           "2\n"
           "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) e [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) s [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) n [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) d [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) u [ 1 0 0 0.0 ] [ 0 -1 0 0.0 ] 0 1.0 1\n}\n}\n";
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

// The texel a corner shows as the compilers lay the face's texture, in
// either form.
TexCoord TexelAt(const CMapBrush& brush, int face, int corner) {
    if (brush.HasValveAxes())
        return TexCoordAt(brush, face, brush.m_vertices[corner]);
    const StandardTexture numbers = GetStandardTexture(brush, face);
    const ValveAxes axes = MakeValveAxes(GetFaceNormal(brush, face), numbers);
    const Vec3d p = ToVec3d(brush.m_vertices[corner]);
    return {Dot(p, axes.u) / numbers.xScale + axes.uOffset,
            Dot(p, axes.v) / numbers.yScale + axes.vOffset};
}

std::vector<std::vector<TexCoord>> TexelsOfCorners(const CMapBrush& brush) {
    std::vector<std::vector<TexCoord>> texels(brush.m_numFaces);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        for (int k = 0; k < brush.m_faces[f].numPoints; ++k)
            texels[f].push_back(TexelAt(brush, f, brush.m_faces[f].vertexIndex[k]));
    }
    return texels;
}

int FindCorner(const CMapBrush& brush, const IntPoint& point) {
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (brush.m_vertices[v] == point)
            return v;
    }
    return -1;
}

// The transforms of a brush, each with the corners it leaves where they were.
enum class Transform { kMove, kTurn, kMirror, kFaceDrag, kCornerDrag };

void Apply(CMapEdits& edits, CMapBrush& brush, Transform transform) {
    using Kind = PlaneTurn::Kind;
    switch (transform) {
    case Transform::kMove:
        edits.MoveBrush(brush, IntPoint(24, -40, 8));
        break;
    case Transform::kTurn:
        edits.TurnBrush(brush, PlaneTurn{Kind::kTurnHToV, 0, 1, IntPoint(8, 0, 0)});
        break;
    case Transform::kMirror:
        edits.TurnBrush(brush, PlaneTurn{Kind::kMirrorH, 0, 2, IntPoint(16, 0, 0)});
        break;
    case Transform::kFaceDrag: { // the top face, up and aside
        std::vector<int> top;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            if (brush.m_vertices[v].z == 64)
                top.push_back(v);
        }
        edits.MoveVertices(brush, top, IntPoint(8, 0, 16));
        break;
    }
    case Transform::kCornerDrag: {
        const int corner = FindCorner(brush, IntPoint(64, 64, 64));
        edits.MoveVertices(brush, std::span(&corner, 1), IntPoint(0, 0, 32));
        break;
    }
    }
}

struct LockCase {
    Transform transform;
    bool valve;
};

std::string LockCaseName(const ::testing::TestParamInfo<LockCase>& info) {
    const char* names[] = {"Move", "Turn", "Mirror", "FaceDrag", "CornerDrag"};
    return std::string(names[static_cast<int>(info.param.transform)]) +
           (info.param.valve ? "Valve" : "Standard");
}

class TextureLockTransform : public ::testing::TestWithParam<LockCase> {
protected:
    TextureLockTransform()
        : f(GetParam().valve ? ValveCubeText() : CubeMapText()), brush(f.Brush()) {}
    ValveFixture f;
    CMapBrush& brush;
};

const LockCase kLockCases[] = {{Transform::kMove, false},       {Transform::kMove, true},
                               {Transform::kTurn, false},       {Transform::kTurn, true},
                               {Transform::kMirror, false},     {Transform::kMirror, true},
                               {Transform::kFaceDrag, false},   {Transform::kFaceDrag, true},
                               {Transform::kCornerDrag, false}, {Transform::kCornerDrag, true}};

} // namespace

// With the lock, each corner shows the texel it showed, wherever it went: on
// every face of a moved, turned or mirrored brush, on a face dragged whole,
// and, where the form can hold it (Valve), at the corners that stayed of a
// face whose plane tilted. Valve axes keep their length.
TEST_P(TextureLockTransform, OnKeepsEachTextureOnItsFace) {
    const auto before = TexelsOfCorners(brush);
    std::vector<IntPoint> corners(brush.m_vertices, brush.m_vertices + brush.m_numVertices);
    Edit(f.doc, [&](CMapEdits& edits) { Apply(edits, brush, GetParam().transform); });
    for (int face = 0; face < brush.m_numFaces; ++face) {
        const BrushFace& turned = brush.m_faces[face];
        bool whole = true; // the face moved as a whole, or not at all
        IntPoint step;
        for (int k = 0; k < turned.numPoints; ++k) {
            const IntPoint& was = corners[turned.vertexIndex[k]];
            const IntPoint& is = brush.m_vertices[turned.vertexIndex[k]];
            const IntPoint taken(is.x - was.x, is.y - was.y, is.z - was.z);
            whole = whole && (k == 0 || taken == step);
            step = taken;
        }
        const Transform transform = GetParam().transform;
        const bool drag = transform == Transform::kFaceDrag || transform == Transform::kCornerDrag;
        if (drag && !whole && !brush.HasValveAxes())
            continue; // a tilted standard face shows what its axis plane gives
        // Of a face that changed shape, the corners that stayed on its plane
        // (through its first three corners) keep their texels.
        const Vec3d normal = GetFaceNormal(brush, face);
        const Vec3d onPlane = ToVec3d(brush.m_vertices[turned.vertexIndex[0]]);
        for (int k = 0; k < turned.numPoints; ++k) {
            const int corner = turned.vertexIndex[k];
            const bool stayed = brush.m_vertices[corner] == corners[corner] &&
                                std::fabs(Dot(normal, ToVec3d(corners[corner]) - onPlane)) < 1e-9;
            if (drag && !whole && !stayed)
                continue;
            SCOPED_TRACE("face " + std::to_string(face) + ", corner " + std::to_string(corner));
            // A mirror turns the order of a face's corners round.
            const auto& was = before[face];
            TexCoord expected{};
            for (int j = 0; j < turned.numPoints; ++j) {
                if (turned.vertexIndex[j] == corner)
                    expected = was[transform == Transform::kMirror ? turned.numPoints - 1 - j : j];
            }
            ExpectSameTexel(TexelAt(brush, face, corner), expected);
        }
        if (brush.HasValveAxes()) {
            EXPECT_NEAR(Length(brush.m_valveAxes[face].u), 1.0, 1e-12) << face;
            EXPECT_NEAR(Length(brush.m_valveAxes[face].v), 1.0, 1e-12) << face;
        }
    }
    // The saved faces say the same, not the text read before the transform.
    if (!brush.HasValveAxes())
        return;
    ValveFixture saved(MapText(f.doc));
    for (int face = 0; face < brush.m_numFaces; ++face) {
        const Vec3d normal = GetFaceNormal(brush, face);
        for (int again = 0; again < saved.Brush().m_numFaces; ++again) {
            if (Length(GetFaceNormal(saved.Brush(), again) - normal) > 1e-9)
                continue;
            const BrushFace& shown = brush.m_faces[face];
            for (int k = 0; k < shown.numPoints; ++k) {
                const IntPoint& corner = brush.m_vertices[shown.vertexIndex[k]];
                const TexCoord is = TexCoordAt(saved.Brush(), again, corner);
                const TexCoord was = TexCoordAt(brush, face, corner);
                EXPECT_NEAR(is.s, was.s, 1e-4) << "saved face " << face;
                EXPECT_NEAR(is.t, was.t, 1e-4) << "saved face " << face;
            }
        }
    }
}

// Without the lock no transform moves a texture on its face: every face keeps
// its numbers, but a Valve face whose turned plane its axes no longer span.
TEST_P(TextureLockTransform, OffKeepsEveryFacesNumbers) {
    f.doc.m_textureLock = false;
    const CMapBrush before = brush;
    std::vector<Vec3d> normals;
    for (int face = 0; face < brush.m_numFaces; ++face)
        normals.push_back(GetFaceNormal(brush, face));
    Edit(f.doc, [&](CMapEdits& edits) { Apply(edits, brush, GetParam().transform); });
    for (int face = 0; face < brush.m_numFaces; ++face) {
        SCOPED_TRACE(face);
        const BrushFace& was = before.m_faces[face];
        const BrushFace& is = brush.m_faces[face];
        if (!brush.HasValveAxes()) {
            EXPECT_EQ(is.xOffset, was.xOffset);
            EXPECT_EQ(is.yOffset, was.yOffset);
            EXPECT_EQ(is.rotation, was.rotation);
            EXPECT_EQ(is.xScale, was.xScale);
            EXPECT_EQ(is.yScale, was.yScale);
            continue;
        }
        const ValveAxes& axes = brush.m_valveAxes[face];
        const ValveAxes& old = before.m_valveAxes[face];
        const Vec3d normal = GetFaceNormal(brush, face);
        if (normal == normals[face] || std::fabs(Dot(Cross(old.u, old.v), normal)) > 0.05) {
            EXPECT_EQ(axes, old);
        }
        EXPECT_GT(std::fabs(Dot(Cross(axes.u, axes.v), normal)), 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTransform, TextureLockTransform, ::testing::ValuesIn(kLockCases),
                         LockCaseName);

// A standard map's offsets stay whole; a Valve offset carries no float noise
// from the move (85.700981, not 85.70098099999999).
TEST(TextureLock, MovedOffsetsAreWrittenAsShortAsTheyAre) {
    ValveFixture standard(CubeMapText());
    Edit(standard.doc,
         [&](CMapEdits& edits) { edits.MoveBrush(standard.Brush(), IntPoint(0, 24, 0)); });
    // The walls facing x and the floors take the move along their u and v.
    EXPECT_NE(MapText(standard.doc).find(" wall -24 0 0.000000 1.000000 1.000000\n"),
              std::string::npos)
        << MapText(standard.doc);
    EXPECT_NE(MapText(standard.doc).find(" floor 0 24 0.000000 1.000000 1.000000\n"),
              std::string::npos);

    std::string text = ValveCubeText();
    const std::string east = "e [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1";
    text.replace(text.find(east), east.size(), "e [ 0 1 0 109.700981 ] [ 0 0 -1 0 ] 0 0.5 1");
    ValveFixture valve(text);
    // 109.700981 - 48 / 0.5 is 13.700980999999999 in doubles.
    Edit(valve.doc, [&](CMapEdits& edits) { edits.MoveBrush(valve.Brush(), IntPoint(0, 48, 0)); });
    EXPECT_NE(MapText(valve.doc).find(" e [ 0 1 0 13.700981 ]"), std::string::npos)
        << MapText(valve.doc);
}

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

TEST(TextureLock, AStandardBrushMovedInAValveMapTakesAxesFirst) {
    ValveFixture f("{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n{\n" +
                   std::string(kCubeFaceLines) + "}\n}\n");
    ASSERT_FALSE(f.Brush().HasValveAxes());
    Edit(f.doc, [&](CMapEdits& edits) { edits.MoveBrush(f.Brush(), IntPoint(0, 0, 10)); });
    ASSERT_TRUE(f.Brush().HasValveAxes());
    // The west wall: u along -y... of its axis plane, v down; moved up by 10.
    EXPECT_EQ(f.Brush().m_valveAxes[0].vOffset, 10.0);
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

// A 45-degree face is as near one base plane as the other: the compilers take
// the first in their order (floor, ceiling, then the walls x, -x, y, -y).
TEST(TextureProjection, AFaceHalfwayBetweenTwoBasePlanesTakesTheCompilersFirst) {
    const double s = std::sqrt(0.5);
    const struct {
        Vec3d normal, u, v;
    } ties[] = {
        {{s, 0, s}, {1, 0, 0}, {0, -1, 0}},   // floor before the x wall
        {{0, -s, -s}, {1, 0, 0}, {0, -1, 0}}, // ceiling before the -y wall
        {{s, s, 0}, {0, 1, 0}, {0, 0, -1}},   // the x wall before the y wall
        {{0, -s, s}, {1, 0, 0}, {0, -1, 0}},  // floor before the -y wall
        {{-s, -s, 0}, {0, 1, 0}, {0, 0, -1}}, // the -x wall before the -y wall
    };
    for (const auto& tie : ties) {
        const ValveAxes axes = MakeValveAxes(tie.normal, StandardTexture{});
        EXPECT_EQ(axes.u, tie.u) << tie.normal.x << " " << tie.normal.y << " " << tie.normal.z;
        EXPECT_EQ(axes.v, tie.v) << tie.normal.x << " " << tie.normal.y << " " << tie.normal.z;
    }
}

// Far out, the components of a unit normal round alike where those of the
// face's unscaled direction still differ: the direction must take the axes
// the normal takes, at a tie the first plane.
TEST(TextureProjection, AFacesDirectionTakesTheAxesOfItsNormalFarOut) {
    const int32_t far = 2147483646;
    CMapBrush brush;
    brush.m_numVertices = 3;
    brush.m_numFaces = 1;
    brush.m_vertices[0] = IntPoint(0, far, 1);
    brush.m_vertices[2] = IntPoint(-far, -512, far);
    brush.m_faces[0].numPoints = 3;
    brush.m_faces[0].vertexIndex[1] = 1;
    brush.m_faces[0].vertexIndex[2] = 2;
    const Vec3d normal = GetFaceNormal(brush, 0);
    ASSERT_EQ(normal.x, normal.z); // the tie: the floor's axes
    EXPECT_EQ(MakeValveAxes(GetFaceDirection(brush, 0), {}), MakeValveAxes(normal, {}));
}
