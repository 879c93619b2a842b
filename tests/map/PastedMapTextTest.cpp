#include "map/PastedMapText.h"

#include "TestSupport.h"
#include "map/TextureProjection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kLightText = "{\n\"classname\" \"light\"\n\"origin\" \"8 16 24\"\n}\n";

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ExpectRefusedWithALineProblem(const std::string& text) {
    const PastedMapText pasted = ReadPastedMapText(text);
    ASSERT_TRUE(pasted.problem);
    EXPECT_NE(*pasted.problem, kNoMapObjects);
    // "<line> : <message>", the reader's first problem.
    EXPECT_NE(pasted.problem->find(" : "), std::string::npos) << *pasted.problem;
    EXPECT_TRUE(pasted.fragment.IsEmpty());
}

} // namespace

TEST(PastedMapText, MapTextGivesItsObjects) {
    const PastedMapText pasted = ReadPastedMapText(kLightText);
    EXPECT_FALSE(pasted.problem);
    ASSERT_EQ(pasted.fragment.pointEntities.size(), 1u);
    EXPECT_EQ(pasted.fragment.pointEntities[0]->m_origin, IntPoint(8, 16, 24));
}

TEST(PastedMapText, ProseHoldsNoMapObjects) {
    const PastedMapText pasted = ReadPastedMapText("Remember to buy milk.");
    ASSERT_TRUE(pasted.problem);
    EXPECT_EQ(*pasted.problem, kNoMapObjects);
}

TEST(PastedMapText, EmptyTextAndALoneWorldHoldNoMapObjects) {
    EXPECT_EQ(ReadPastedMapText("").problem, kNoMapObjects);
    EXPECT_EQ(ReadPastedMapText("{\n\"classname\" \"worldspawn\"\n}\n").problem, kNoMapObjects);
}

TEST(PastedMapText, ABrokenBrushGivesTheFirstProblemWithItsLine) {
    // The second face line stops after its plane points.
    const std::string text = std::string(kLightText) +
                             "{\n\"classname\" \"worldspawn\"\n{\n"
                             "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
                             "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )\n}\n}\n";
    ExpectRefusedWithALineProblem(text);
}

TEST(PastedMapText, ValveBrushesComeInTheFormOfTheMap) {
    const std::string text = ReadWholeFile(
        TestDataPath("maps-other-formats/valve220_tb_valveFormatMapWithoutFormatTag.map"));
    const PastedMapText intoValve = ReadPastedMapText(text, MapFormat::kValve);
    ASSERT_FALSE(intoValve.problem) << *intoValve.problem;
    ASSERT_EQ(intoValve.fragment.worldBrushes.size(), 1u);
    const CMapBrush& valve = *intoValve.fragment.worldBrushes[0];
    ASSERT_TRUE(valve.HasValveAxes());
    EXPECT_EQ(valve.m_valveAxes[0].u, (Vec3d{0, -1, 0}));
    // Its axes lie in the nearest axis planes, so a standard map takes them
    // as rotations and scales: on this west face the texture runs against
    // the axis a standard face has, which is a scale of -1.
    const PastedMapText intoStandard = ReadPastedMapText(text, MapFormat::kStandard);
    ASSERT_FALSE(intoStandard.problem) << *intoStandard.problem;
    const CMapBrush& standard = *intoStandard.fragment.worldBrushes.at(0);
    EXPECT_FALSE(standard.HasValveAxes());
    EXPECT_EQ(standard.m_numFaces, 6);
    EXPECT_FLOAT_EQ(standard.m_faces[0].rotation, 0.0f);
    EXPECT_FLOAT_EQ(standard.m_faces[0].xScale, -1.0f);
    EXPECT_FLOAT_EQ(standard.m_faces[0].yScale, 1.0f);
    // Every number of every face converted, offsets too: each corner shows
    // the same texel.
    std::string shifted = text;
    for (auto [from, to] :
         {std::pair{" 0 ] [ ", " 16 ] [ "}, std::pair{" 0 ] 0 1 1", " 24 ] 0 1 1"}})
        for (size_t at = shifted.find(from); at != std::string::npos; at = shifted.find(from, at))
            shifted.replace(at, std::strlen(from), to);
    const PastedMapText valveShifted = ReadPastedMapText(shifted, MapFormat::kValve);
    const PastedMapText standardShifted = ReadPastedMapText(shifted, MapFormat::kStandard);
    ASSERT_FALSE(standardShifted.problem) << *standardShifted.problem;
    const CMapBrush& from = *valveShifted.fragment.worldBrushes.at(0);
    const CMapBrush& to = *standardShifted.fragment.worldBrushes.at(0);
    for (int f = 0; f < to.m_numFaces; ++f) {
        const BrushFace& face = to.m_faces[f];
        const ValveAxes converted = MakeValveAxes(GetFaceNormal(to, f), GetStandardTexture(to, f));
        const ValveAxes& axes = from.m_valveAxes.at(f);
        EXPECT_NE(axes.vOffset, 0.0);
        for (int i = 0; i < face.numPoints; ++i) {
            const Vec3d p = ToVec3d(to.m_vertices[face.vertexIndex[i]]);
            EXPECT_NEAR(Dot(p, converted.u) / face.xScale + converted.uOffset,
                        Dot(p, axes.u) / from.m_faces[f].xScale + axes.uOffset, 1e-3)
                << "face " << f;
            EXPECT_NEAR(Dot(p, converted.v) / face.yScale + converted.vOffset,
                        Dot(p, axes.v) / from.m_faces[f].yScale + axes.vOffset, 1e-3)
                << "face " << f;
        }
    }
}

TEST(PastedMapText, ValveFacesAStandardMapCannotExpressRefuseThePasteAndAreNamed) {
    // The second face's axes lean out of the axis plane nearest to it.
    const std::string text =
        "{\n\"classname\" \"worldspawn\"\n{\n"
        "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) a [ 0 -1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
        "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) b [ 0 1 1 0 ] [ 0 0 -1 0 ] 0 1 1\n"
        "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) c [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
        "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) d [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
        "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) e [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
        "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) f [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
        "}\n}\n";
    EXPECT_FALSE(ReadPastedMapText(text, MapFormat::kValve).problem);
    const PastedMapText pasted = ReadPastedMapText(text, MapFormat::kStandard);
    ASSERT_TRUE(pasted.problem);
    EXPECT_NE(pasted.problem->find("1 face"), std::string::npos) << *pasted.problem;
    EXPECT_NE(pasted.problem->find("the world, brush 1, face 2 (line 5)"), std::string::npos)
        << *pasted.problem;
    EXPECT_TRUE(pasted.fragment.IsEmpty());
}

TEST(PastedMapText, StandardBrushesPastedIntoAValveMapGetTheAxesOfTheirTexture) {
    const PastedMapText pasted = ReadPastedMapText(CubeMapText(), MapFormat::kValve);
    ASSERT_FALSE(pasted.problem);
    const CMapBrush& brush = *pasted.fragment.worldBrushes.at(0);
    ASSERT_TRUE(brush.HasValveAxes());
    // The floor (-z) keeps the texture x along the world's x, y against y.
    EXPECT_EQ(brush.m_valveAxes[4].u, (Vec3d{1, 0, 0}));
    EXPECT_EQ(brush.m_valveAxes[4].v, (Vec3d{0, -1, 0}));
}

TEST(PastedMapText, AnotherGamesMapIsRefusedByName) {
    const PastedMapText pasted = ReadPastedMapText(ReadWholeFile(
        TestDataPath("maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map")));
    ASSERT_TRUE(pasted.problem);
    EXPECT_NE(pasted.problem->find("Quake 2"), std::string::npos) << *pasted.problem;
    EXPECT_TRUE(pasted.fragment.IsEmpty());
}
