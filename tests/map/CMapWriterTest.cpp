#include "map/CMapWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr const char* kCubeWritten = "{\n"
                                     "\t\"classname\" \"worldspawn\"\n"
                                     "\t\"wad\" \"quake101.wad\"\n"
                                     "\t{\n"
                                     "\t\t( -64 -64 64 ) ( -64 -64 -64 ) ( -64 64 -64 ) wall 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t\t( 64 64 64 ) ( 64 64 -64 ) ( 64 -64 -64 ) wall 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t\t( 64 -64 64 ) ( 64 -64 -64 ) ( -64 -64 -64 ) wall 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t\t( -64 64 64 ) ( -64 64 -64 ) ( 64 64 -64 ) wall 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t\t( -64 64 -64 ) ( -64 -64 -64 ) ( 64 -64 -64 ) floor 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t\t( -64 -64 64 ) ( -64 64 64 ) ( 64 64 64 ) floor 0 0 "
                                     "0.000000 1.000000 1.000000\n"
                                     "\t}\n"
                                     "}\n";

std::unique_ptr<CTolveDoc> ReadText(const std::string& text) {
    auto doc = std::make_unique<CTolveDoc>();
    CRecordingDiagnostics diagnostics;
    doc->ReadMapText(text.c_str(), diagnostics);
    EXPECT_TRUE(diagnostics.m_entries.empty());
    return doc;
}

std::unique_ptr<CModelEntity> ModelEntity(const char* classname) {
    auto entity = std::make_unique<CModelEntity>();
    entity->m_classname = classname;
    return entity;
}

} // namespace

TEST(CMapWriter, NewDocumentIsFourLines) {
    CTolveDoc doc;
    doc.ResetWorld();
    EXPECT_EQ(MapText(doc), "{\n\t\"classname\" \"worldspawn\"\n\t\"wad\" \"quake101.wad\"\n}\n");
}

TEST(CMapWriter, CubeIsWrittenFromItsCornersWithTheExpectedVertexTable) {
    auto doc = ReadText(CubeMapText());
    EXPECT_EQ(MapText(*doc), kCubeWritten);
    const CMapBrush& brush = *doc->m_worldBrushes[0];
    const IntPoint expected[8] = {{-64, -64, 64}, {-64, -64, -64}, {-64, 64, -64}, {-64, 64, 64},
                                  {64, 64, 64},   {64, 64, -64},   {64, -64, -64}, {64, -64, 64}};
    ASSERT_EQ(brush.m_numVertices, 8);
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(brush.m_vertices[v], expected[v]) << v;
    // And it reads back to the same lines and table.
    auto again = ReadText(kCubeWritten);
    EXPECT_EQ(MapText(*again), kCubeWritten);
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(again->m_worldBrushes[0]->m_vertices[v], expected[v]) << v;
}

TEST(CMapWriter, WorldKeysInOrder) {
    CTolveDoc doc;
    doc.m_textureWad.SetFileName("base.wad");
    doc.m_worldMessage = "Hall";
    doc.m_worldType = 2;
    doc.m_hasWorldSounds = true;
    doc.m_worldSounds = 200;
    doc.m_hasWorldLight = true;
    doc.m_worldLight = 65535;
    EXPECT_EQ(MapText(doc), "{\n\t\"classname\" \"worldspawn\"\n\t\"wad\" \"base.wad\"\n"
                            "\t\"message\" \"Hall\"\n\t\"worldtype\" \"2\"\n\t\"sounds\" \"200\"\n"
                            "\t\"light\" \"65535\"\n}\n");
}

TEST(CMapWriter, BrushEntityKeysInOrderWithCustomPairs) {
    CTolveDoc doc;
    auto e = ModelEntity("func_door");
    e->m_target = "t";
    e->m_targetname = "tn";
    e->m_killtarget = "kt";
    e->m_spawnflags = 65535;
    e->m_message = "Locked";
    e->m_hasSpeed = e->m_hasWait = e->m_hasLip = e->m_hasDmg = true;
    e->m_hasHealth = e->m_hasDelay = e->m_hasSounds = e->m_hasHeight = true;
    e->m_speed = -1;
    e->m_wait = 2;
    e->m_lip = 3;
    e->m_dmg = 4;
    e->m_health = 5;
    e->m_delay = 6;
    e->m_sounds = 255;
    e->m_height = -32768;
    e->m_map = "e1m2";
    e->m_otherPairs = {{"_color", "1 0 0"}, {"", "ignored"}};
    doc.m_modelEntities.push_back(std::move(e));
    std::string text = MapText(doc);
    EXPECT_EQ(text.substr(text.find("}\n") + 2),
              "{\n\t\"classname\" \"func_door\"\n\t\"target\" \"t\"\n\t\"targetname\" \"tn\"\n"
              "\t\"killtarget\" \"kt\"\n\t\"spawnflags\" \"65535\"\n\t\"message\" \"Locked\"\n"
              "\t\"speed\" \"-1\"\n\t\"wait\" \"2\"\n\t\"lip\" \"3\"\n\t\"dmg\" \"4\"\n"
              "\t\"health\" \"5\"\n\t\"delay\" \"6\"\n\t\"sounds\" \"255\"\n"
              "\t\"height\" \"-32768\"\n\t\"map\" \"e1m2\"\n\t\"_color\" \"1 0 0\"\n}\n");
}

TEST(CMapWriter, SetSkillAlwaysWritesItsNumberAndNeverItsText) {
    CTolveDoc doc;
    auto e = ModelEntity("trigger_setskill");
    e->m_message = "text that is never written";
    doc.m_modelEntities.push_back(std::move(e));
    std::string text = MapText(doc);
    EXPECT_NE(text.find("\t\"message\" \"0\"\n"), std::string::npos);
    EXPECT_EQ(text.find("never written"), std::string::npos);
}

TEST(CMapWriter, PointEntityKeysInOrder) {
    CTolveDoc doc;
    auto e = std::make_unique<CPointEntity>();
    e->m_hasAngle = e->m_hasLight = e->m_hasMangle = e->m_hasNextthink = true;
    e->m_angle = -90;
    e->m_light = 300;
    e->m_target = "t";
    e->m_targetname = "tn";
    e->m_killtarget = "kt";
    e->m_spawnflags = 1792;
    e->m_style = 5;
    e->m_message = "m";
    e->m_mangle = {1, -2, 3};
    e->m_nextthink = -1;
    e->m_otherPairs = {{"_fade", "0.5"}};
    doc.m_pointEntities.push_back(std::move(e));
    std::string text = MapText(doc);
    EXPECT_EQ(text.substr(text.find("}\n") + 2),
              "{\n\t\"classname\" \"\"\n\t\"origin\" \"0 0 0\"\n\t\"angle\" \"-90\"\n"
              "\t\"light\" \"300\"\n\t\"target\" \"t\"\n\t\"targetname\" \"tn\"\n"
              "\t\"killtarget\" \"kt\"\n\t\"spawnflags\" \"1792\"\n\t\"style\" \"5\"\n"
              "\t\"message\" \"m\"\n\t\"mangle\" \"1 -2 3\"\n\t\"nextthink\" \"4294967295\"\n"
              "\t\"_fade\" \"0.5\"\n}\n");
}

TEST(CMapWriter, FloatsAreWrittenAsPrintfDoes) {
    auto doc = ReadText(CubeMapText());
    BrushFace& face = doc->m_worldBrushes[0]->m_faces[0];
    const float values[] = {0.1f, -0.0f, 1e-7f, 123456.789f, -2.5f, 3e20f, 0.0000005f, 1e9f};
    for (float value : values) {
        face.rotation = value;
        char expected[512];
        std::snprintf(expected, sizeof expected, " %f %f %f\n", value, face.xScale, face.yScale);
        std::string text = MapText(*doc);
        EXPECT_NE(text.find(std::string("wall 0 0") + expected), std::string::npos) << value;
    }
}

TEST(CMapWriter, TextureNamesThatWouldNotReadBackAreQuoted) {
    auto doc = ReadText(CubeMapText());
    CMapBrush& brush = *doc->m_worldBrushes[0];
    std::strcpy(brush.m_faces[0].texture, "two words");
    std::strcpy(brush.m_faces[1].texture, "");
    std::strcpy(brush.m_faces[2].texture, "//slash");
    std::strcpy(brush.m_faces[3].texture, "*lava1");
    brush.m_faces[4].texture[0] = static_cast<char>(0xE9);
    brush.m_faces[4].texture[1] = '\0';
    std::string text = MapText(*doc);
    EXPECT_NE(text.find(") \"two words\" 0"), std::string::npos);
    EXPECT_NE(text.find(") \"\" 0"), std::string::npos);
    EXPECT_NE(text.find(") \"//slash\" 0"), std::string::npos);
    EXPECT_NE(text.find(") *lava1 0"), std::string::npos);
    EXPECT_NE(text.find(") \"\xE9\" 0"), std::string::npos);
    auto again = ReadText(text);
    const CMapBrush& read = *again->m_worldBrushes[0];
    for (int f = 0; f < 6; ++f)
        EXPECT_STREQ(read.m_faces[f].texture, brush.m_faces[f].texture) << f;
}

TEST(CMapWriter, FindsTextThatAMapFileCannotHold) {
    CTolveDoc doc;
    EXPECT_FALSE(CMapWriter::FindUnwritableText(doc));
    auto e = std::make_unique<CPointEntity>();
    e->m_classname = "info_null";
    e->m_message = "say \"hi\"";
    doc.m_pointEntities.push_back(std::move(e));
    auto problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "Cannot save the map: the value of the key \"message\" of the entity "
                        "\"info_null\" contains a double quote, which a map file cannot hold.");

    doc.m_pointEntities[0]->m_message = "fine";
    doc.m_pointEntities[0]->m_otherPairs = {{"}", "x"}};
    problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("\"}\""), std::string::npos);

    doc.m_pointEntities[0]->m_otherPairs = {{"note", std::string(1023, 'x')}};
    EXPECT_FALSE(CMapWriter::FindUnwritableText(doc));
    doc.m_pointEntities[0]->m_otherPairs = {{"note", std::string(1024, 'x')}};
    problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("longer than the 1023 characters"), std::string::npos);
}
