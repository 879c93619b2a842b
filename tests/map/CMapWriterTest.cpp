#include "map/CMapWriter.h"
#include "map/CMapEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <type_traits>

namespace {

constexpr const char* kCubeWritten = "{\n"
                                     "\t\"classname\" \"worldspawn\"\n"
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

// A map names texture files only once the user chooses some.
TEST(CMapWriter, NewDocumentIsThreeLines) {
    CTolveDoc doc;
    doc.ResetWorld();
    EXPECT_EQ(MapText(doc), "{\n\t\"classname\" \"worldspawn\"\n}\n");
    doc.m_textureWad.SetFileName("quake101.wad");
    EXPECT_EQ(MapText(doc), "{\n\t\"classname\" \"worldspawn\"\n\t\"wad\" \"quake101.wad\"\n}\n");
}

TEST(CMapWriter, CubeIsWrittenFromItsCornersWithTheExpectedVertexTable) {
    auto doc = ReadText(CubeMapText());
    EXPECT_EQ(MapText(*doc), kCubeWritten);
    const CMapBrush& brush = *doc->GetWorldBrushes()[0];
    const IntPoint expected[8] = {{-64, -64, 64}, {-64, -64, -64}, {-64, 64, -64}, {-64, 64, 64},
                                  {64, 64, 64},   {64, 64, -64},   {64, -64, -64}, {64, -64, 64}};
    ASSERT_EQ(brush.m_numVertices, 8);
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(brush.m_vertices[v], expected[v]) << v;
    // And it reads back to the same lines and table.
    auto again = ReadText(kCubeWritten);
    EXPECT_EQ(MapText(*again), kCubeWritten);
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(again->GetWorldBrushes()[0]->m_vertices[v], expected[v]) << v;
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
    Edit(doc, [&](CMapEdits& edits) { edits.AddModelEntity(std::move(e)); });
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
    Edit(doc, [&](CMapEdits& edits) { edits.AddModelEntity(std::move(e)); });
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
    Edit(doc, [&](CMapEdits& edits) { edits.AddPointEntity(std::move(e)); });
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
    BrushFace& face = doc->GetWorldBrushes()[0]->m_faces[0];
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
    CMapBrush& brush = *doc->GetWorldBrushes()[0];
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
    const CMapBrush& read = *again->GetWorldBrushes()[0];
    for (int f = 0; f < 6; ++f)
        EXPECT_STREQ(read.m_faces[f].texture, brush.m_faces[f].texture) << f;
}

TEST(CMapWriter, FindsTextThatAMapFileCannotHold) {
    CTolveDoc doc;
    EXPECT_FALSE(CMapWriter::FindUnwritableText(doc));
    auto e = std::make_unique<CPointEntity>();
    e->m_classname = "info_null";
    e->m_message = "say \"hi\"";
    Edit(doc, [&](CMapEdits& edits) { edits.AddPointEntity(std::move(e)); });
    auto problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "Cannot save the map: the value of the key \"message\" of the entity "
                        "\"info_null\" contains a double quote, which a map file cannot hold.");

    doc.GetPointEntities()[0]->m_message = "fine";
    doc.GetPointEntities()[0]->m_otherPairs = {{"}", "x"}};
    problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("\"}\""), std::string::npos);

    doc.GetPointEntities()[0]->m_otherPairs = {{"note", std::string(1023, 'x')}};
    EXPECT_FALSE(CMapWriter::FindUnwritableText(doc));
    doc.GetPointEntities()[0]->m_otherPairs = {{"note", std::string(1024, 'x')}};
    problem = CMapWriter::FindUnwritableText(doc);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("longer than the 1023 characters"), std::string::npos);
}

namespace {

constexpr const char* kWorldStart = "{\n\t\"classname\" \"worldspawn\"\n";

// One "written when" rule of a key: `written` puts the entity just on the
// side of the condition where the line is written, `left` just on the other
// side, where nothing is written whatever the field holds.
template <class Entity> struct WrittenCase {
    const char* key;
    std::function<void(Entity&)> written;
    std::function<void(Entity&)> left;
    const char* line; // the one line the written side adds
};

// The text of a map holding only `entity` (besides the empty world), from the
// entity's opening brace on.
template <class Entity> std::string EntityText(std::unique_ptr<Entity> entity) {
    CTolveDoc doc;
    doc.ResetWorld();
    if constexpr (std::is_same_v<Entity, CPointEntity>)
        Edit(doc, [&](CMapEdits& edits) { edits.AddPointEntity(std::move(entity)); });
    else
        Edit(doc, [&](CMapEdits& edits) { edits.AddModelEntity(std::move(entity)); });
    std::string text = MapText(doc);
    EXPECT_EQ(text.substr(0, text.find("}\n") + 2), std::string(kWorldStart) + "}\n");
    return text.substr(text.find("}\n") + 2);
}

// Checks every rule on both sides: the written side adds exactly its line
// to what `start` writes (the lines of an entity with every field at its
// default), the other side adds nothing.
template <class Entity>
void ExpectRules(const std::vector<WrittenCase<Entity>>& rules, const std::string& classname,
                 const std::string& start) {
    for (const WrittenCase<Entity>& rule : rules) {
        SCOPED_TRACE(rule.key);
        auto written = std::make_unique<Entity>();
        written->m_classname = classname;
        rule.written(*written);
        EXPECT_EQ(EntityText(std::move(written)), start + rule.line + "}\n");
        auto left = std::make_unique<Entity>();
        left->m_classname = classname;
        rule.left(*left);
        EXPECT_EQ(EntityText(std::move(left)), start + "}\n");
    }
}

} // namespace

TEST(CMapWriter, DefaultPointEntityWritesOnlyClassnameAndOrigin) {
    auto e = std::make_unique<CPointEntity>();
    e->m_classname = "info_null";
    EXPECT_EQ(EntityText(std::move(e)),
              "{\n\t\"classname\" \"info_null\"\n\t\"origin\" \"0 0 0\"\n}\n");
}

TEST(CMapWriter, EachPointEntityKeyIsWrittenExactlyWhenItsRuleHolds) {
    using E = CPointEntity;
    const std::vector<WrittenCase<E>> rules = {
        {"angle", [](E& e) { e.m_hasAngle = true; }, [](E& e) { e.m_angle = 90; },
         "\t\"angle\" \"0\"\n"},
        {"light", [](E& e) { e.m_hasLight = true; }, [](E& e) { e.m_light = 300; },
         "\t\"light\" \"0\"\n"},
        {"target", [](E& e) { e.m_target = "t"; }, [](E& e) { e.m_target = ""; },
         "\t\"target\" \"t\"\n"},
        {"targetname", [](E& e) { e.m_targetname = "t"; }, [](E& e) { e.m_targetname = ""; },
         "\t\"targetname\" \"t\"\n"},
        {"killtarget", [](E& e) { e.m_killtarget = "t"; }, [](E& e) { e.m_killtarget = ""; },
         "\t\"killtarget\" \"t\"\n"},
        {"spawnflags", [](E& e) { e.m_spawnflags = 1; }, [](E& e) { e.m_spawnflags = 0; },
         "\t\"spawnflags\" \"1\"\n"},
        {"style", [](E& e) { e.m_style = 1; }, [](E& e) { e.m_style = 0; }, "\t\"style\" \"1\"\n"},
        {"message", [](E& e) { e.m_message = "m"; }, [](E& e) { e.m_message = ""; },
         "\t\"message\" \"m\"\n"},
        {"mangle", [](E& e) { e.m_hasMangle = true; },
         [](E& e) {
             e.m_mangle = {1, 2, 3};
         },
         "\t\"mangle\" \"0 0 0\"\n"},
        {"nextthink", [](E& e) { e.m_hasNextthink = true; }, [](E& e) { e.m_nextthink = -1; },
         "\t\"nextthink\" \"0\"\n"},
        {"first free pair",
         [](E& e) {
             e.m_otherPairs = {{"k", ""}};
         },
         [](E& e) {
             e.m_otherPairs = {{"", "v"}};
         },
         "\t\"k\" \"\"\n"},
        {"second free pair",
         [](E& e) {
             e.m_otherPairs = {{"", "v"}, {"k", "v"}};
         },
         [](E& e) {
             e.m_otherPairs = {{"", "v"}, {"", "w"}};
         },
         "\t\"k\" \"v\"\n"},
    };
    ExpectRules(rules, "info_null", "{\n\t\"classname\" \"info_null\"\n\t\"origin\" \"0 0 0\"\n");
}

TEST(CMapWriter, EachBrushEntityKeyIsWrittenExactlyWhenItsRuleHolds) {
    using E = CModelEntity;
    const std::vector<WrittenCase<E>> rules = {
        {"target", [](E& e) { e.m_target = "t"; }, [](E& e) { e.m_target = ""; },
         "\t\"target\" \"t\"\n"},
        {"targetname", [](E& e) { e.m_targetname = "t"; }, [](E& e) { e.m_targetname = ""; },
         "\t\"targetname\" \"t\"\n"},
        {"killtarget", [](E& e) { e.m_killtarget = "t"; }, [](E& e) { e.m_killtarget = ""; },
         "\t\"killtarget\" \"t\"\n"},
        {"spawnflags", [](E& e) { e.m_spawnflags = 1; }, [](E& e) { e.m_spawnflags = 0; },
         "\t\"spawnflags\" \"1\"\n"},
        // Outside "trigger_setskill" the skill number is never written.
        {"message", [](E& e) { e.m_message = "m"; }, [](E& e) { e.m_skill = 2; },
         "\t\"message\" \"m\"\n"},
        {"speed", [](E& e) { e.m_hasSpeed = true; }, [](E& e) { e.m_speed = 5; },
         "\t\"speed\" \"0\"\n"},
        {"wait", [](E& e) { e.m_hasWait = true; }, [](E& e) { e.m_wait = 5; },
         "\t\"wait\" \"0\"\n"},
        {"lip", [](E& e) { e.m_hasLip = true; }, [](E& e) { e.m_lip = 5; }, "\t\"lip\" \"0\"\n"},
        {"dmg", [](E& e) { e.m_hasDmg = true; }, [](E& e) { e.m_dmg = 5; }, "\t\"dmg\" \"0\"\n"},
        {"health", [](E& e) { e.m_hasHealth = true; }, [](E& e) { e.m_health = 5; },
         "\t\"health\" \"0\"\n"},
        {"delay", [](E& e) { e.m_hasDelay = true; }, [](E& e) { e.m_delay = 5; },
         "\t\"delay\" \"0\"\n"},
        {"sounds", [](E& e) { e.m_hasSounds = true; }, [](E& e) { e.m_sounds = 5; },
         "\t\"sounds\" \"0\"\n"},
        {"height", [](E& e) { e.m_hasHeight = true; }, [](E& e) { e.m_height = 5; },
         "\t\"height\" \"0\"\n"},
        {"map", [](E& e) { e.m_map = "e1m1"; }, [](E& e) { e.m_map = ""; }, "\t\"map\" \"e1m1\"\n"},
        {"first free pair",
         [](E& e) {
             e.m_otherPairs = {{"k", ""}};
         },
         [](E& e) {
             e.m_otherPairs = {{"", "v"}};
         },
         "\t\"k\" \"\"\n"},
        {"second free pair",
         [](E& e) {
             e.m_otherPairs = {{"", "v"}, {"k", "v"}};
         },
         [](E& e) {
             e.m_otherPairs = {{"", "v"}, {"", "w"}};
         },
         "\t\"k\" \"v\"\n"},
    };
    ExpectRules(rules, "func_door", "{\n\t\"classname\" \"func_door\"\n");

    // A "trigger_setskill" writes its skill number always, 0 included; the
    // other side of that rule, another class with a skill, is "message" above.
    EXPECT_EQ(EntityText(ModelEntity("trigger_setskill")),
              "{\n\t\"classname\" \"trigger_setskill\"\n\t\"message\" \"0\"\n}\n");
}

TEST(CMapWriter, EachWorldKeyIsWrittenExactlyWhenItsRuleHolds) {
    struct WorldRule {
        const char* key;
        std::function<void(CTolveDoc&)> written;
        std::function<void(CTolveDoc&)> left;
        const char* line;
    };
    const WorldRule rules[] = {
        {"message", [](CTolveDoc& d) { d.m_worldMessage = "m"; },
         [](CTolveDoc& d) { d.m_worldMessage = ""; }, "\t\"message\" \"m\"\n"},
        // Only -1, "not set", is left out; 0 is a world type of its own.
        {"worldtype", [](CTolveDoc& d) { d.m_worldType = 0; },
         [](CTolveDoc& d) { d.m_worldType = -1; }, "\t\"worldtype\" \"0\"\n"},
        {"sounds", [](CTolveDoc& d) { d.m_hasWorldSounds = true; },
         [](CTolveDoc& d) { d.m_worldSounds = 4; }, "\t\"sounds\" \"0\"\n"},
        {"light", [](CTolveDoc& d) { d.m_hasWorldLight = true; },
         [](CTolveDoc& d) { d.m_worldLight = 300; }, "\t\"light\" \"0\"\n"},
    };
    for (const WorldRule& rule : rules) {
        SCOPED_TRACE(rule.key);
        CTolveDoc written;
        written.ResetWorld();
        rule.written(written);
        EXPECT_EQ(MapText(written), std::string(kWorldStart) + rule.line + "}\n");
        CTolveDoc left;
        left.ResetWorld();
        rule.left(left);
        EXPECT_EQ(MapText(left), std::string(kWorldStart) + "}\n");
    }
}
