// Maps as other editors write them today: the Valve 220 form, other games'
// maps, decimals in plane points, and the two forms converted into each other.
#include "MapPairs.h"

#include "map/CMapWriter.h"
#include "map/FormatConversion.h"
#include "map/MapFileMessages.h"
#include "map/MapTextEncoding.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

std::unique_ptr<ReadMap> ReadData(const std::string& relative) {
    return Read(ReadFileText(TestDataPath(relative)));
}

// The face lines of map text, without the blanks before them or a carriage
// return after them: what must come back byte for byte.
std::vector<std::string> FaceLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] != '(')
            continue;
        line.erase(0, first);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Whole map texts compared line by line, so that a failure names the line.
void ExpectSameText(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string actualLine, expectedLine;
    for (int line = 1;; ++line) {
        const bool moreActual = static_cast<bool>(std::getline(a, actualLine));
        const bool moreExpected = static_cast<bool>(std::getline(e, expectedLine));
        if (!moreActual && !moreExpected)
            return;
        ASSERT_EQ(actualLine, expectedLine) << "line " << line;
    }
}

std::string WriteIn(const CTolveDoc& doc, MapFormat format) {
    MapContents contents = doc.GetContents();
    contents.format = format;
    return CMapWriter::WriteText(contents);
}

// The inverted cube: every face looks into the brush, so the planes enclose
// nothing.
constexpr const char* kInsideOutFaces = "( -64 0 0 ) ( -64 -1 0 ) ( -64 0 1 ) wall 0 0 0 1 1\n"
                                        "( 64 0 0 ) ( 64 1 0 ) ( 64 0 1 ) wall 0 0 0 1 1\n"
                                        "( 0 -64 0 ) ( 1 -64 0 ) ( 0 -64 1 ) wall 0 0 0 1 1\n"
                                        "( 0 64 0 ) ( -1 64 0 ) ( 0 64 1 ) wall 0 0 0 1 1\n";

} // namespace

class ValveMaps : public ::testing::TestWithParam<const char*> {};

TEST_P(ValveMaps, OpenAndSaveLosesNoPairAndGivesEveryFaceLineBack) {
    const std::string original = ReadFileText(TestDataPath(GetParam()));
    auto r = Read(original);
    EXPECT_EQ(r->doc->m_mapFormat, MapFormat::kValve);
    EXPECT_EQ(r->doc->m_mapGame, MapGame::kQuake);
    for (const std::string& message : r->diagnostics.Messages())
        EXPECT_NE(message.find("more than 32 faces"), std::string::npos) << message;
    const std::string saved = MapText(*r->doc);
    EXPECT_EQ(FindLostPairs(original, saved), std::vector<std::string>());
    EXPECT_EQ(FaceLines(saved), FaceLines(original));
    // The map keeps what it said of itself, "mapversion" or none.
    EXPECT_EQ(ListEntitySequence(saved), ListEntitySequence(original));
    // A second save is the first one again.
    EXPECT_EQ(MapText(*Read(saved)->doc), saved);
}

INSTANTIATE_TEST_SUITE_P(
    RealMaps, ValveMaps,
    ::testing::Values("maps-valve/ericw_q1_detail_fence.map",
                      "maps-valve/ericw_q1_detail_touching_water.map",
                      "maps-valve/ericw_q1_hull1_content_types.map",
                      "maps-valve/ericw_q1_liquid_is_detail.map",
                      "maps-valve/ericw_qbsp_many_sided_face.map",
                      "maps-other-formats/valve220_lq_b_bh25_lite.map",
                      "maps-other-formats/valve220_tb_valveFormatMapWithoutFormatTag.map"));

TEST(ValveMaps, FaceLinesKeepTheirAxesOffsetsRotationAndScales) {
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n"
                  "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) a [ 0 -1 0 16.5 ] [ 0 0 -1 -8 ] 30 0.5 "
                  "-2\n"
                  "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) b [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                  "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) c [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                  "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) d [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                  "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) e [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
                  "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) f [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n}\n}\n");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    const CMapBrush& brush = *r->doc->GetWorldBrushes().at(0);
    ASSERT_EQ(brush.m_numFaces, 6);
    ASSERT_TRUE(brush.HasValveAxes());
    const ValveAxes& axes = brush.m_valveAxes[0];
    EXPECT_EQ(axes.u, (Vec3d{0, -1, 0}));
    EXPECT_EQ(axes.v, (Vec3d{0, 0, -1}));
    EXPECT_EQ(axes.uOffset, 16.5);
    EXPECT_EQ(axes.vOffset, -8.0);
    EXPECT_EQ(axes.line, 3);
    EXPECT_FLOAT_EQ(brush.m_faces[0].rotation, 30.0f);
    EXPECT_FLOAT_EQ(brush.m_faces[0].xScale, 0.5f);
    EXPECT_FLOAT_EQ(brush.m_faces[0].yScale, -2.0f);
}

TEST(ValveMaps, NumbersWrittenOtherwiseThanTheWriterWritesThemKeepTheirText) {
    const std::string line =
        "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) a [ 0 -1.000000 0 16.50 ] [ -0 0 -1 +8 ] "
        "30.000000 0 1";
    const std::string text = "{\n\"classname\" \"worldspawn\"\n{\n" + line +
                             "\n( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) b [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                             "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) c [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 "
                             "1\n( 0 64 1 ) ( -1 64 -0 ) ( 0 64 0 ) d [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 "
                             "1 1\n( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) e [ 1 0 0 0 ] [ 0 -1 0 0 "
                             "] 0 1 1\n( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) f [ 1 0 0 0 ] [ 0 -1 0 "
                             "0 ] 0 1 1\n}\n}\n";
    auto r = Read(text);
    const CMapBrush& brush = *r->doc->GetWorldBrushes().at(0);
    // The model holds the numbers; a zero scale is taken as 1.
    EXPECT_EQ(brush.m_valveAxes[0].u, (Vec3d{0, -1, 0}));
    EXPECT_EQ(brush.m_valveAxes[0].vOffset, 8.0);
    EXPECT_FLOAT_EQ(brush.m_faces[0].xScale, 1.0f);
    EXPECT_EQ(FaceLines(MapText(*r->doc)), FaceLines(text));
}

TEST(ValveMaps, AStandardFaceInAValveMapIsSavedAsTheValveFaceOfTheSameTexture) {
    auto r = ReadData("maps-other-formats/mixed_tb_mixedFormats.map");
    EXPECT_EQ(r->doc->m_mapFormat, MapFormat::kValve);
    const std::string saved = MapText(*r->doc);
    // "skip 0 0 30 1 1" on the floor: the floor's axes turned by 30 degrees.
    EXPECT_NE(saved.find(" ) skip [ 0.8660254037844387 0.5 0 0 ] [ 0.5 -0.8660254037844387 0 0 ] "
                         "30 1 1\n"),
              std::string::npos)
        << saved;
    // Saved in the standard form again, the face is what it was.
    EXPECT_NE(WriteIn(*Read(saved)->doc, MapFormat::kStandard)
                  .find(" ) skip 0 0 30.000000 1.000000 1.000000\n"),
              std::string::npos);
}

TEST(ValveMaps, ANewMapIsStandardAndAValveVersionWithoutFacesMakesAValveMap) {
    EXPECT_EQ(Read("")->doc->m_mapFormat, MapFormat::kStandard);
    auto r = Read("{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n}\n");
    EXPECT_EQ(r->doc->m_mapFormat, MapFormat::kValve);
    EXPECT_EQ(MapText(*r->doc), "{\n\t\"classname\" \"worldspawn\"\n\t\"mapversion\" \"220\"\n}\n");
}

class StandardMaps : public ::testing::TestWithParam<const char*> {};

TEST_P(StandardMaps, ConvertedToValveAndBackAreTheSameFile) {
    auto r = ReadData(std::string("maps/") + GetParam());
    const std::string standard = MapText(*r->doc);
    const std::string valve = WriteIn(*r->doc, MapFormat::kValve);
    auto converted = Read(valve);
    EXPECT_EQ(converted->doc->m_mapFormat, MapFormat::kValve);
    EXPECT_EQ(FindLostPairs(standard, valve), std::vector<std::string>());
    // Standard numbers always have exact axes, and the axes give them back.
    EXPECT_TRUE(FindUnconvertibleFaces(converted->doc->GetContents()).empty());
    ExpectSameText(WriteIn(*converted->doc, MapFormat::kStandard), standard);
}

INSTANTIATE_TEST_SUITE_P(RealMaps, StandardMaps,
                         ::testing::Values("id_dm1.map", "lq_greenwood.map", "ericw_swtest.map",
                                           "lq_castellated.map", "ericw_retrojam1_ericw.map"));

TEST(ValveToStandard, FacesWhoseAxesLeaveTheAxisPlaneAreListedWithTheirLines) {
    auto r = ReadData("maps-valve/ericw_q1_detail_fence.map");
    std::string text = ReadFileText(TestDataPath("maps-valve/ericw_q1_detail_fence.map"));
    // Lean the first face's u axis out of its plane.
    const size_t first = text.find("[ 0 1 0 16 ]");
    ASSERT_NE(first, std::string::npos);
    text.replace(first, 12, "[ 0 1 1 16 ]");
    auto leaning = Read(text);
    EXPECT_TRUE(FindUnconvertibleFaces(r->doc->GetContents()).empty());
    const std::vector<UnconvertibleFace> faces =
        FindUnconvertibleFaces(leaning->doc->GetContents());
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(DescribeUnconvertibleFaces(faces, 10), "the world, brush 1, face 1 (line 12)\n");
    // Forced, the face gets the nearest standard numbers and the map reads
    // back as a standard one.
    const std::string forced = WriteIn(*leaning->doc, MapFormat::kStandard);
    auto back = Read(forced);
    EXPECT_EQ(back->doc->m_mapFormat, MapFormat::kStandard);
    EXPECT_EQ(forced.find('['), std::string::npos);
    EXPECT_EQ(forced.find("mapversion"), std::string::npos);
}

struct GameCase {
    const char* file;
    MapGame game;
    MapFormat format;
};

class OtherGames : public ::testing::TestWithParam<GameCase> {};

TEST_P(OtherGames, AreRecognisedWithoutProblemsAndWrittenAsRead) {
    const std::string original = ReadFileText(TestDataPath(GetParam().file));
    auto r = Read(original);
    EXPECT_EQ(r->doc->m_mapGame, GetParam().game);
    EXPECT_EQ(r->doc->m_mapFormat, GetParam().format);
    EXPECT_TRUE(r->diagnostics.m_entries.empty()) << r->diagnostics.m_entries[0].message;
    const std::string saved = MapText(*r->doc);
    EXPECT_EQ(FindLostPairs(original, saved), std::vector<std::string>());
    EXPECT_EQ(FaceLines(saved), FaceLines(original));
}

INSTANTIATE_TEST_SUITE_P(
    RealMaps, OtherGames,
    ::testing::Values(
        GameCase{"maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map", MapGame::kQuake2,
                 MapFormat::kStandard},
        GameCase{"maps-other-formats/ericw_q2_liquids.map", MapGame::kQuake2, MapFormat::kValve},
        GameCase{"maps-other-formats/ericw_hl_currents.map", MapGame::kHalfLife, MapFormat::kValve},
        GameCase{"maps-other-formats/q3_patchdef_spirit3ctfduel1-center.map", MapGame::kQuake3,
                 MapFormat::kStandard}));

TEST(OtherGames, QuakeThreePatchesAreKeptWhole) {
    const std::string original =
        ReadFileText(TestDataPath("maps-other-formats/q3_patchdef_spirit3ctfduel1-center.map"));
    const std::string saved = MapText(*Read(original)->doc);
    EXPECT_NE(saved.find("patchDef2\n{\nspirit3ctfduel1_dsi/weapspawn01\n( 3 3 0 0 0 )\n(\n( ( "
                         "448 1504 0 0 1 ) ( 448 1536 0 0 0.500000 ) ( 448 1568 0 0 0 ) )\n"),
              std::string::npos);
}

TEST(OtherGames, HexenTwoFaceLinesEndInOneNumberMore) {
    std::string faces;
    for (const std::string& line : FaceLines(kCubeFaceLines))
        faces += line + " 0\n";
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    EXPECT_EQ(r->doc->m_mapGame, MapGame::kHexen2);
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    EXPECT_EQ(FaceLines(MapText(*r->doc)).at(0),
              "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1 0");
}

TEST(OtherGames, AStrayQuakeTwoLineInAQuakeMapIsAProblemAndKept) {
    std::string faces = kCubeFaceLines;
    faces.insert(faces.find('\n'), " 0 16 0");
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    EXPECT_EQ(r->doc->m_mapGame, MapGame::kQuake);
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Face line has 3 more values at its end than a Quake face line; they are kept as "
              "written\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 3);
    EXPECT_NE(MapText(*r->doc).find("wall 0 0 0 1 1 0 16 0\n"), std::string::npos);
}

TEST(MapText, BinaryFilesAreRefusedAndTextWithAFewControlBytesIsNot) {
    std::string picture = "\x89PNG\r\n\x1a\n";
    for (int i = 0; i < 600; ++i)
        picture.push_back(static_cast<char>((i * 37) % 256));
    EXPECT_EQ(FindNotTextMapReason(picture),
              "its first kilobyte holds many control bytes and no map structure, as a binary file "
              "does");
    // Opened, it is refused as other files that are no text map are.
    CTempDir dir;
    WriteFileText(dir.Path("picture.map"), picture);
    CRecordingMessages messages;
    CTolveDoc doc;
    EXPECT_FALSE(OpenShowing(doc, dir.Path("picture.map").string()));
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "File Open Error");
    std::string map = CubeMapText();
    map[map.find("wall")] = '\x01';
    EXPECT_EQ(FindNotTextMapReason(map), "");
    // A map that starts with a few control bytes still shows its braces.
    EXPECT_EQ(FindNotTextMapReason(std::string(40, '\x02') + "\n" + CubeMapText()), "");
}

TEST(FractionalPoints, AreNoProblemAndTheBrushIsBuiltFromThem) {
    // The east face at x = 64.6: its corners round to 65, not 64.
    std::string faces = kCubeFaceLines;
    faces.replace(faces.find("( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )"), 32,
                  "( 64.6 0 1 ) ( 64.6 1 0 ) ( 64.6 0 0 )");
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    EXPECT_EQ(r->doc->m_fractionalBrushLines, std::vector<int>{2});
    const CMapBrush& brush = *r->doc->GetWorldBrushes().at(0);
    int eastCorners = 0;
    for (int v = 0; v < brush.m_numVertices; ++v)
        eastCorners += brush.m_vertices[v].x == 65 ? 1 : 0;
    EXPECT_EQ(eastCorners, 4);
    EXPECT_NE(MapText(*r->doc).find("( 64.6 0 1 ) ( 64.6 1 0 ) ( 64.6 0 0 ) wall"),
              std::string::npos);
}

TEST(FractionalPoints, OfARealMapAreCountedPerBrush) {
    auto r = ReadData("maps/ericw_swtest.map");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    EXPECT_FALSE(r->doc->m_fractionalBrushLines.empty());
    EXPECT_LE(r->doc->m_fractionalBrushLines.size(), 5u); // the map has five brushes
}

TEST(BrushWithoutVolume, IsAProblemAndKeptAsWritten) {
    const std::string faces = std::string(kInsideOutFaces) +
                              "( 0 0 -64 ) ( -1 0 -64 ) ( 0 1 -64 ) floor 0 0 0 1 1\n"
                              "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) floor 0 0 0 1 1\n";
    auto r = Read(CubeMapText() + "{\n\"classname\" \"func_wall\"\n{\n" + faces + "}\n}\n");
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Brush has no volume; it is kept as written but cannot be shown\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].brushLine, 13);
    const CModelEntity& wall = *r->doc->GetModelEntities().at(0);
    ASSERT_EQ(wall.m_brushes.size(), 1u);
    EXPECT_FALSE(wall.m_brushes[0]->IsHeld());
    const std::vector<std::string> saved = FaceLines(MapText(*r->doc));
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 6, saved.end()), FaceLines(faces));
}

TEST(ReadRecovery, AfterAStrayWordTheWorldKeepsTheTextsOfItsFaces) {
    std::string faces = kCubeFaceLines;
    faces.replace(faces.find("wall 0 0 0 1 1"), 14, "wall 1.5 0 0 1 1");
    faces.replace(faces.find("( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )"), 32,
                  "( 64 0 1 ) ( 64 1 0 ) ( 64.0 0 0 )");
    const std::string map = "{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n";
    for (const std::string stray : {"junk\n", "junk ", "junk\r\n"}) {
        SCOPED_TRACE(stray);
        auto r = Read(stray + map);
        ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
        EXPECT_EQ(ShownLine(r->diagnostics.m_entries[0].line, -1), 1);
        EXPECT_EQ(MapText(*r->doc), MapText(*Read(map)->doc));
        EXPECT_NE(MapText(*r->doc).find("( 64.0 0 0 ) wall 0 0"), std::string::npos);
        EXPECT_NE(MapText(*r->doc).find(" wall 1.5 0 0.000000"), std::string::npos);
    }
}

TEST(OtherGames, AValveMapWhoseTexturesComeInAHalfLifeFileIsAHalfLifeMap) {
    CTempDir dir;
    std::filesystem::copy_file(TestDataPath("wads/tb_wad3_empty.wad"), dir.Path("hl.wad"));
    const std::string valve = ReadFileText(
        TestDataPath("maps-other-formats/valve220_tb_valveFormatMapWithoutFormatTag.map"));
    WriteFileText(dir.Path("a.map"), "{\n\"wad\" \"hl.wad\"\n" + valve.substr(valve.find('{') + 1));
    CRecordingMessages messages;
    CTolveDoc doc;
    ASSERT_TRUE(OpenShowing(doc, dir.Path("a.map").string()));
    EXPECT_EQ(doc.m_mapGame, MapGame::kQuake);
    doc.m_textureWad.LoadTextureWad();
    doc.RecogniseGameByTextures();
    EXPECT_EQ(doc.m_mapGame, MapGame::kHalfLife);
    EXPECT_TRUE(doc.IsOtherGameMap());
    EXPECT_EQ(DescribeOtherGameMap("a.map", doc.m_mapGame).text,
              "\"a.map\" is a Half-Life map. Tolve edits Quake maps, so it opens this one "
              "read-only: Save is off, and Save As writes what Tolve read of it.");
}

TEST(FractionalPoints, AreToldInOneLine) {
    EXPECT_EQ(DescribeFractionalBrushes(1), "1 brush keeps fractional points as written; it is "
                                            "rounded to whole numbers when edited");
    EXPECT_EQ(DescribeFractionalBrushes(1700), "1700 brushes keep fractional points as written; "
                                               "they are rounded to whole numbers when edited");
}

TEST(ValveToStandard, ABrushKeptAsWrittenInTheValveFormIsNamedAsALossToo) {
    // An inverted cube in the Valve form has no volume and is kept as written.
    std::string faces;
    for (const std::string& line : FaceLines(kInsideOutFaces))
        faces += line.substr(0, line.find(" wall")) + " wall [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n";
    auto r = Read(CubeMapText() + "{\n\"classname\" \"func_wall\"\n{\n" + faces + "}\n}\n");
    const MapContents contents = r->doc->GetContents();
    EXPECT_TRUE(FindUnconvertibleFaces(contents).empty());
    const std::vector<UnconvertibleFace> kept = FindKeptValveBrushes(contents);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(DescribeUnconvertibleFaces(FindLossesInStandardForm(contents), 5),
              "brush entity 1 (func_wall), brush 1\n");
    // The same brush in the standard form loses nothing.
    EXPECT_TRUE(
        FindLossesInStandardForm(Read(CubeMapText() + "{\n\"classname\" \"func_wall\"\n{\n" +
                                      std::string(kInsideOutFaces) + "}\n}\n")
                                     ->doc->GetContents())
            .empty());
}
