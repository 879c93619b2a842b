// Free transforms of brushes and entities: exact planes, outward faces,
// texture lock, and plane points with decimals that survive a save.
#include "map/BrushTransform.h"
#include "map/CMapEdits.h"
#include "map/TextureProjection.h"
#include "map/TransformEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// A 128 cube about the origin in the Valve form; its west face has a turned,
// scaled texture.
std::string ValveCubeText() {
    return "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n{\n"
           "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) w [ 0 -0.6 0.8 3.5 ] [ 0 0.8 0.6 -7 ] 37 0.5 2\n"
           "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) e [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) s [ 1 0 0 5 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) n [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
           "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) d [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) u [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 2 1\n}\n}\n"
           "{\n\"classname\" \"info_player_start\"\n\"origin\" \"64 0 24\"\n\"angle\" \"10\"\n}\n";
}

BrushTransform TurnAboutZ(double degrees, Vec3d centre = {}) {
    BrushTransform transform;
    transform.turnDegrees = degrees;
    transform.centre = centre;
    return transform;
}

CMapBrush& FirstBrush(CTolveDoc& doc) {
    return *doc.GetWorldBrushes().at(0);
}

// Transforms the whole map as one step, as the Transform command does; the
// refusal, if any. `withDecimals` learns how many brushes keep decimals.
std::string TransformAll(CTolveDoc& doc, const BrushTransform& transform,
                         size_t* withDecimals = nullptr) {
    CSelectionSet set;
    for (const auto& brush : doc.GetWorldBrushes())
        set.Add(*brush, CSelectionSet::kWholeBrush);
    for (const auto& entity : doc.GetPointEntities())
        set.Add(*entity);
    const std::vector<TransformedBrush> transformed = TransformBrushesOfSet(doc, set, transform);
    const std::string refusal = DescribeTransformRefusal(doc, transformed);
    if (refusal.empty())
        Edit(doc, [&](CMapEdits& edits) {
            const size_t count = ApplyTransform(edits, set, transformed, transform);
            if (withDecimals)
                *withDecimals = count;
        });
    return refusal;
}

double TexelS(const ValveAxes& axes, float xScale, const Vec3d& p) {
    return Dot(p, axes.u) / xScale + axes.uOffset;
}
double TexelT(const ValveAxes& axes, float yScale, const Vec3d& p) {
    return Dot(p, axes.v) / yScale + axes.vOffset;
}

TEST(BrushTransform, ValveTextureStaysUnderTheCornersThroughAThirtyDegreeTurn) {
    const std::unique_ptr<ReadMap> read = Read(ValveCubeText());
    const CMapBrush before = FirstBrush(*read->doc);
    const BrushTransform transform = TurnAboutZ(30.0, {8.0, -4.0, 0.0});
    CMapBrush after;
    ASSERT_EQ(TransformBrush(before, transform, true, after), TransformProblem::kNone);
    ASSERT_EQ(after.m_numFaces, before.m_numFaces);
    for (int f = 0; f < before.m_numFaces; ++f) {
        const BrushFace& was = before.m_faces[f];
        const BrushFace& is = after.m_faces[f];
        EXPECT_STREQ(is.texture, was.texture);
        for (int k = 0; k < was.numPoints; ++k) {
            // The texel at the corner before, and where the turn took it.
            const Vec3d corner = ToVec3d(before.m_vertices[was.vertexIndex[k]]);
            const Vec3d turned = transform.Apply(corner);
            EXPECT_NEAR(TexelS(after.m_valveAxes[f], is.xScale, turned),
                        TexelS(before.m_valveAxes[f], was.xScale, corner), 1e-6)
                << was.texture;
            EXPECT_NEAR(TexelT(after.m_valveAxes[f], is.yScale, turned),
                        TexelT(before.m_valveAxes[f], was.yScale, corner), 1e-6)
                << was.texture;
        }
    }
}

TEST(BrushTransform, ValveTextureStaysUnderTheCornersThroughAStretchAndAMove) {
    const std::unique_ptr<ReadMap> read = Read(ValveCubeText());
    const CMapBrush before = FirstBrush(*read->doc);
    BrushTransform transform;
    transform.scale = {1.5, 1.0, 3.0};
    transform.move = {16.0, 0.0, -8.0};
    CMapBrush after;
    ASSERT_EQ(TransformBrush(before, transform, true, after), TransformProblem::kNone);
    for (int f = 0; f < before.m_numFaces; ++f) {
        const IntPoint& corner = before.m_vertices[before.m_faces[f].vertexIndex[0]];
        const Vec3d moved = transform.Apply(ToVec3d(corner));
        EXPECT_NEAR(TexelS(after.m_valveAxes[f], after.m_faces[f].xScale, moved),
                    TexelS(before.m_valveAxes[f], before.m_faces[f].xScale, ToVec3d(corner)), 1e-6);
        // The axes keep their length; the stretch is in the scales.
        EXPECT_NEAR(Length(after.m_valveAxes[f].v), Length(before.m_valveAxes[f].v), 1e-6);
    }
}

// The centre of the corners, inside any convex brush.
Vec3d CentreOfCorners(const CMapBrush& brush) {
    Vec3d sum;
    for (int v = 0; v < brush.m_numVertices; ++v)
        sum = sum + ToVec3d(brush.m_vertices[v]) * (1.0 / brush.m_numVertices);
    return sum;
}

class MirroringScale : public ::testing::TestWithParam<Vec3d> {};

TEST_P(MirroringScale, KeepsFacesOutwardAndTheVolume) {
    // A wedge: no face is the mirror of another.
    const std::unique_ptr<ReadMap> read = Read("{\n\"classname\" \"worldspawn\"\n{\n"
                                               "( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) a 0 0 0 1 1\n"
                                               "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) b 0 0 0 1 1\n"
                                               "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) c 0 0 0 1 1\n"
                                               "( 0 0 32 ) ( 0 64 0 ) ( 64 0 0 ) d 0 0 0 1 1\n"
                                               "}\n}\n");
    const CMapBrush& before = FirstBrush(*read->doc);
    BrushTransform transform;
    transform.scale = GetParam();
    transform.centre = {16.0, 16.0, 8.0};
    CMapBrush after;
    ASSERT_EQ(TransformBrush(before, transform, false, after), TransformProblem::kNone);
    EXPECT_DOUBLE_EQ(BrushVolume(after), BrushVolume(before));
    const Vec3d inside = CentreOfCorners(after);
    ASSERT_EQ(after.m_numFaces, 4);
    for (int f = 0; f < after.m_numFaces; ++f) {
        const Vec3d onFace = ToVec3d(after.m_vertices[after.m_faces[f].vertexIndex[0]]);
        EXPECT_GT(Dot(GetFaceNormal(after, f), onFace - inside), 0.0) << after.m_faces[f].texture;
    }
}

INSTANTIATE_TEST_SUITE_P(OneOrThreeAxes, MirroringScale,
                         ::testing::Values(Vec3d{-1.0, 1.0, 1.0}, Vec3d{1.0, -1.0, 1.0},
                                           Vec3d{1.0, 1.0, -1.0}, Vec3d{-1.0, -1.0, -1.0}));

// Each face by its normal: texture, numbers and axes. Corners sorted.
using FaceSummary = std::tuple<std::string, int, int, float, float, float, std::vector<double>>;
std::map<std::vector<long>, FaceSummary> FacesByNormal(const CMapBrush& brush) {
    std::map<std::vector<long>, FaceSummary> faces;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const Vec3d n = GetFaceNormal(brush, f);
        const BrushFace& face = brush.m_faces[f];
        std::vector<double> axes;
        if (brush.HasValveAxes()) {
            const ValveAxes& a = brush.m_valveAxes[f];
            axes = {a.u.x, a.u.y, a.u.z, a.v.x, a.v.y, a.v.z, a.uOffset, a.vOffset};
        }
        faces[{std::lround(n.x * 1e6), std::lround(n.y * 1e6), std::lround(n.z * 1e6)}] = {
            face.texture, face.xOffset, face.yOffset, face.rotation,
            face.xScale,  face.yScale,  axes};
    }
    return faces;
}

std::vector<std::tuple<int, int, int>> SortedCorners(const CMapBrush& brush) {
    std::vector<std::tuple<int, int, int>> corners;
    for (int v = 0; v < brush.m_numVertices; ++v)
        corners.emplace_back(brush.m_vertices[v].x, brush.m_vertices[v].y, brush.m_vertices[v].z);
    std::sort(corners.begin(), corners.end());
    return corners;
}

class QuarterTurn : public ::testing::TestWithParam<bool> {};

TEST_P(QuarterTurn, EqualsTheQuarterTurnOfTheTurnCommands) {
    const bool valve = GetParam();
    // Off the centre, with textures that show a turn.
    const std::string text = valve ? ValveCubeText()
                                   : "{\n\"classname\" \"worldspawn\"\n{\n"
                                     "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) w 3 5 0 1 1\n"
                                     "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) e 0 7 0 1 1\n"
                                     "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) s 16 0 0 1 1\n"
                                     "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) n 0 0 0 1 1\n"
                                     "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) d 8 2 15 2 1\n"
                                     "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) u 4 0 90 1 0.5\n}\n}\n";
    const std::unique_ptr<ReadMap> quarter = Read(text);
    const PlaneTurn turn{PlaneTurn::Kind::kTurnHToV, 0, 1, IntPoint(32, 16, 0)};
    Edit(*quarter->doc,
         [&](CMapEdits& edits) { edits.TurnBrush(FirstBrush(*quarter->doc), turn); });

    const std::unique_ptr<ReadMap> free = Read(text);
    ASSERT_EQ(TransformAll(*free->doc, TurnAboutZ(90.0, {32.0, 16.0, 0.0})), "");
    const CMapBrush& expected = FirstBrush(*quarter->doc);
    const CMapBrush& actual = FirstBrush(*free->doc);
    EXPECT_EQ(SortedCorners(actual), SortedCorners(expected));
    EXPECT_EQ(FacesByNormal(actual), FacesByNormal(expected));
    EXPECT_FALSE(KeepsDecimalPlanePoints(actual));
}

INSTANTIATE_TEST_SUITE_P(StandardAndValve, QuarterTurn, ::testing::Bool());

TEST(BrushTransform, ThirtyDegreeTurnIsSavedWithDecimalsAndReadBackAsTheSamePlanes) {
    const std::unique_ptr<ReadMap> read = Read(ValveCubeText());
    size_t withDecimals = 0;
    ASSERT_EQ(TransformAll(*read->doc, TurnAboutZ(30.0), &withDecimals), "");
    EXPECT_EQ(withDecimals, 1u);
    const CMapBrush& turned = FirstBrush(*read->doc);
    const std::string saved = MapText(*read->doc);
    EXPECT_NE(saved.find("( -23.42562584220408 -87.42562584220407 64 )"), std::string::npos)
        << saved;

    const std::unique_ptr<ReadMap> again = Read(saved);
    const CMapBrush& reread = FirstBrush(*again->doc);
    ASSERT_EQ(reread.m_numVertices, turned.m_numVertices);
    EXPECT_TRUE(
        std::equal(turned.m_vertices, turned.m_vertices + turned.m_numVertices, reread.m_vertices));
    ASSERT_EQ(reread.m_numFaces, turned.m_numFaces);
    for (int f = 0; f < turned.m_numFaces; ++f)
        EXPECT_EQ(GetFaceNormal(reread, f), GetFaceNormal(turned, f));
    EXPECT_EQ(MapText(*again->doc), saved);

    // The player start turned with it, facing 30 degrees further round.
    const CPointEntity& start = *again->doc->GetPointEntities().at(0);
    EXPECT_EQ(start.m_origin, IntPoint(55, 32, 24));
    EXPECT_EQ(start.m_angle, 40);
}

class FlatteningScale : public ::testing::TestWithParam<Vec3d> {};

TEST_P(FlatteningScale, IsRefusedNamingTheBrushAndChangesNothing) {
    const std::unique_ptr<ReadMap> read = Read(CubeMapText());
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    BrushTransform transform;
    transform.scale = GetParam();
    EXPECT_EQ(TransformAll(doc, transform),
              "The world, brush 1 would have no volume; nothing was changed.");
    EXPECT_EQ(MapText(doc), before);
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(ZeroOrTooThin, FlatteningScale,
                         ::testing::Values(Vec3d{1.0, 0.0, 1.0}, Vec3d{1.0, 1.0, 0.001}));

} // namespace
