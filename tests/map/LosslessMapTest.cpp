// Opening and saving a map must never change what it means: what the model has
// no field for, or cannot hold exactly, comes back as the file had it.
#include "MapPairs.h"
#include "map/CMapEdits.h"

#include "map/CMapWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The text of the one entity after the world in a saved map.
std::string SecondEntity(const std::string& saved) {
    size_t worldEnd = saved.find("\n}\n");
    return saved.substr(worldEnd + 3);
}

std::string BrushEntity(const std::string& keys) {
    return CubeMapText("{\n" + keys + "{\n" + kCubeFaceLines + "}\n}\n");
}

} // namespace

TEST(LosslessMap, EveryPairWithoutAFieldStaysOnItsEntityInFileOrder) {
    auto r =
        Read(BrushEntity("\"classname\" \"func_door\"\n\"angle\" \"-1\"\n\"origin\" \"0 0 8\"\n"
                         "\"speed\" \"100\"\n\"_phong\" \"1\"\n") +
             "{\n\"classname\" \"light\"\n\"_color\" \"1 0.5 0\"\n\"origin\" \"0 0 64\"\n"
             "\"wait\" \"2\"\n\"delay\" \"1\"\n}\n");
    const CModelEntity& door = *r->doc->GetModelEntities().at(0);
    EXPECT_EQ(door.m_otherPairs,
              (CustomPairList{{"angle", "-1"}, {"origin", "0 0 8"}, {"_phong", "1"}}));
    const CPointEntity& light = *r->doc->GetPointEntities().at(0);
    EXPECT_EQ(light.m_otherPairs,
              (CustomPairList{{"_color", "1 0.5 0"}, {"wait", "2"}, {"delay", "1"}}));

    std::string saved = MapText(*r->doc);
    // Every key where the file had it, those with fields and those without.
    EXPECT_NE(saved.find("\t\"classname\" \"func_door\"\n\t\"angle\" \"-1\"\n\t\"origin\" "
                         "\"0 0 8\"\n\t\"speed\" \"100\"\n\t\"_phong\" \"1\"\n\t{\n"),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("\t\"classname\" \"light\"\n\t\"_color\" \"1 0.5 0\"\n\t\"origin\" \"0 "
                         "0 64\"\n\t\"wait\" \"2\"\n\t\"delay\" \"1\"\n}\n"),
              std::string::npos)
        << saved;
}

TEST(LosslessMap, WorldKeepsItsKeysInFileOrder) {
    auto r = Read("{\n\"_sunlight\" \"200\"\n\"classname\" \"worldspawn\"\n\"wad\" \"a.wad\"\n"
                  "\"sky\" \"sky1\"\n\"worldtype\" \"-1\"\n\"message\" \"\"\n}\n");
    EXPECT_EQ(r->doc->m_worldOtherPairs, (CustomPairList{{"_sunlight", "200"}, {"sky", "sky1"}}));
    EXPECT_EQ(MapText(*r->doc), "{\n\t\"_sunlight\" \"200\"\n\t\"classname\" \"worldspawn\"\n"
                                "\t\"wad\" \"a.wad\"\n\t\"sky\" \"sky1\"\n"
                                "\t\"worldtype\" \"-1\"\n\t\"message\" \"\"\n}\n");
}

// What other editors write and a save must give back: comment lines heading
// the file, entities of both kinds in their order, keys in their order and
// repeated, a "spawnflags" of 0, a brushless group without "origin", a map
// without "wad". New keys follow those of the file.
TEST(LosslessMap, EntitiesKeysAndHeaderCommentsComeBackInTheirOrder) {
    const std::string cube = "{\n" + std::string(kCubeFaceLines) + "}\n";
    const std::string text = "// Game: Quake\n// Format: Standard\n\n{\n"
                             "\"message\" \"Order\"\n\"classname\" \"worldspawn\"\n}\n"
                             "{\n\"origin\" \"8 8 8\"\n\"classname\" \"info_player_start\"\n"
                             "\"target\" \"a\"\n\"spawnflags\" \"0\"\n\"target\" \"b\"\n}\n"
                             "{\n\"classname\" \"func_group\"\n\"_tb_type\" \"_tb_group\"\n}\n"
                             "{\n\"spawnflags\" \"0\"\n\"classname\" \"func_door\"\n" +
                             cube + "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n";
    auto r = Read(text);
    const std::string saved = MapText(*r->doc);
    EXPECT_EQ(ListEntitySequence(saved), ListEntitySequence(text)) << saved;
    EXPECT_EQ(saved.rfind("// Game: Quake\n// Format: Standard\n{\n", 0), 0u) << saved;
    // The game takes the last "target"; the fields hold it.
    EXPECT_EQ(r->doc->GetPointEntities().at(0)->m_target, "b");
    EXPECT_EQ(MapText(*Read(saved)->doc), saved);

    CPointEntity start = *r->doc->GetPointEntities()[0];
    start.m_otherPairs.push_back({"_note", "new"});
    start.m_target.clear(); // the user cleared the key: no older value may count again
    Edit(*r->doc, [&](CMapEdits& edits) {
        edits.SetPointEntityKeys(*r->doc->GetPointEntities()[0], start);
    });
    EXPECT_NE(MapText(*r->doc).find("\t\"classname\" \"info_player_start\"\n\t\"spawnflags\" "
                                    "\"0\"\n\t\"_note\" \"new\"\n}\n"),
              std::string::npos)
        << MapText(*r->doc);
}

TEST(LosslessMap, CustomRowsAreTheFirstOtherPairsAndComeBackInTheSameRows) {
    CTolveDoc doc;
    auto entity = std::make_unique<CPointEntity>();
    entity->m_classname = "info_notnull";
    entity->m_otherPairs = {{"first", "1"}, {"second", "two words"}, {"third", "3"}};
    Edit(doc, [&](CMapEdits& edits) { edits.AddPointEntity(std::move(entity)); });
    auto r = Read(MapText(doc));
    EXPECT_EQ(r->doc->GetPointEntities().at(0)->m_otherPairs,
              doc.GetPointEntities()[0]->m_otherPairs);
}

TEST(LosslessMap, RepeatedKeysAreKeptAsWritten) {
    auto r = Read(CubeMapText("{\n\"classname\" \"info_notnull\"\n\"use\" \"a\"\n\"use\" \"b\"\n"
                              "\"style\" \"1\"\n\"style\" \"2\"\n}\n"));
    std::string entity = SecondEntity(MapText(*r->doc));
    EXPECT_NE(entity.find("\t\"use\" \"a\"\n\t\"use\" \"b\"\n\t\"style\" \"1\"\n\t\"style\" "
                          "\"2\"\n"),
              std::string::npos)
        << entity;
    // A key with a field holds its last value, the one the game takes, kept
    // text and all.
    EXPECT_EQ(r->doc->GetPointEntities().at(0)->m_style, 2);
    auto kept = Read(BrushEntity("\"classname\" \"func_door\"\n\"wait\" \"0.5\"\n"
                                 "\"wait\" \"1.5\"\n\"lip\" \"2.5\"\n\"lip\" \"8\"\n"));
    EXPECT_EQ(kept->doc->GetModelEntities().at(0)->m_lip, 8);
    EXPECT_EQ(*kept->doc->GetModelEntities().at(0)->m_keptTexts.Find("wait"), "1.5");
    std::string door = SecondEntity(MapText(*kept->doc));
    EXPECT_NE(door.find("\t\"wait\" \"0.5\"\n\t\"wait\" \"1.5\"\n\t\"lip\" \"2.5\"\n\t\"lip\" "
                        "\"8\"\n"),
              std::string::npos)
        << door;
}

// Texture numbers on the edge of what the fields hold: offsets are whole and
// within 16 bits, rotation and scales keep six decimals. Inside the edge the
// writer's form comes back, beyond it the text as written.
TEST(LosslessMap, FaceNumbersAtTheEdgeOfTheFieldsComeBackAsTheyMean) {
    const std::pair<const char*, const char*> cases[] = {
        {"wall 32767 -32768 7.123456 0.5 -2", "wall 32767 -32768 7.123456 0.500000 -2.000000"},
        {"wall 32768 0 0 1 1", "wall 32768 0 0.000000 1.000000 1.000000"},
        {"wall 0 -32769 0 1 1", "wall 0 -32769 0.000000 1.000000 1.000000"},
        {"wall 0 0 0.1234565 1 1", "wall 0 0 0.1234565 1.000000 1.000000"},
        {"wall 0 0 0 0.123456 7.1234567", "wall 0 0 0.000000 0.123456 7.1234567"},
    };
    for (const auto& [written, saved] : cases) {
        SCOPED_TRACE(written);
        std::string faces = kCubeFaceLines;
        faces.replace(0, faces.find('\n'),
                      "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) " + std::string(written));
        const std::string text =
            MapText(*Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n")->doc);
        EXPECT_NE(text.find(") " + std::string(saved) + "\n"), std::string::npos) << text;
    }
}

// The fields keep the reader's number for drawing and the dialogs; the file
// keeps what it said.
TEST(LosslessMap, NumbersTheFieldsCannotHoldKeepTheirText) {
    struct Case {
        const char* pair;
        const char* classname;
        bool brushEntity;
    } cases[] = {
        {"\"wait\" \"0.5\"", "func_door", true},
        {"\"speed\" \"3s\"", "func_plat", true},
        {"\"sounds\" \"300\"", "func_door", true},
        {"\"spawnflags\" \"65536\"", "func_button", true},
        {"\"message\" \"2.5\"", "trigger_setskill", true},
        {"\"light\" \"70000\"", "light", false},
        {"\"mangle\" \"10.5 -20 0\"", "light", false},
        {"\"origin\" \"8\t16\t-24\"", "info_null", false},
        {"\"origin\" \"1 2 3 4\"", "info_null", false},
        {"\"angle\" \"1e2\"", "info_null", false},
        {"\"nextthink\" \"-1\"", "info_null", false},
        {"\"style\" \"0\"", "light", false},
        {"\"target\" \"\"", "light", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pair);
        std::string keys = "\"classname\" \"" + std::string(c.classname) + "\"\n" + c.pair + "\n";
        std::string text = c.brushEntity ? BrushEntity(keys) : CubeMapText("{\n" + keys + "}\n");
        auto r = Read(text);
        std::string saved = MapText(*r->doc);
        std::string pair = c.pair;
        EXPECT_NE(saved.find("\t" + pair + "\n"), std::string::npos) << saved;
        // And the second save is the first.
        EXPECT_EQ(MapText(*Read(saved)->doc), saved);
    }
}

TEST(LosslessMap, FieldsStillHoldTheReadersNumbers) {
    auto r =
        Read(BrushEntity("\"classname\" \"func_door\"\n\"wait\" \"0.5\"\n") +
             "{\n\"classname\" \"light\"\n\"light\" \"70000\"\n\"mangle\" \"10.5 -20 0\"\n}\n");
    EXPECT_EQ(r->doc->GetModelEntities().at(0)->m_wait, 0);
    EXPECT_TRUE(r->doc->GetModelEntities().at(0)->m_hasWait);
    const CPointEntity& light = *r->doc->GetPointEntities().at(0);
    EXPECT_EQ(light.m_light, 70000 - 65536);
    EXPECT_EQ(light.m_mangle, IntPoint(10, -20, 0));
}

TEST(LosslessMap, TheSameNumberWrittenOtherwiseIsWrittenInTheNormalForm) {
    auto r = Read(CubeMapText("{\n\"classname\" \"light\"\n\"angle\" \"90.000000\"\n"
                              "\"light\" \"+300\"\n\"origin\" \"-0 0 8\"\n}\n"));
    std::string entity = SecondEntity(MapText(*r->doc));
    EXPECT_NE(entity.find("\t\"angle\" \"90\"\n\t\"light\" \"300\"\n\t\"origin\" \"0 0 8\"\n"),
              std::string::npos)
        << entity;
}

TEST(LosslessMap, AChangedFieldReplacesItsKeptText) {
    auto r = Read(CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"0.5 16 32.25\"\n}\n"));
    CPointEntity& light = *r->doc->GetPointEntities().at(0);
    EXPECT_EQ(light.m_origin, IntPoint(0, 16, 32));
    EXPECT_NE(MapText(*r->doc).find("\"origin\" \"0.5 16 32.25\""), std::string::npos);
    light.m_origin.x += 8;
    light.m_keptTexts.Forget("origin");
    EXPECT_NE(MapText(*r->doc).find("\t\"origin\" \"8 16 32\"\n"), std::string::npos);
}

TEST(LosslessMap, LongValuesAreReadWhole) {
    const std::string wad(300, 'w');
    const std::string message(1023, 'm');
    auto r = Read("{\n\"classname\" \"worldspawn\"\n\"wad\" \"" + wad + "\"\n\"message\" \"" +
                  message + "\"\n}\n");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    EXPECT_EQ(r->doc->m_textureWad.GetFileName(), wad);
    EXPECT_EQ(r->doc->m_worldMessage, message);
    EXPECT_FALSE(CMapWriter::FindUnwritableText(*r->doc));
    EXPECT_NE(MapText(*r->doc).find(message), std::string::npos);
}

TEST(LosslessMap, UntouchedBrushKeepsFractionalOffsetsAndPlanePoints) {
    std::string faces = kCubeFaceLines;
    faces.replace(faces.find("( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1"), 47,
                  "( 64 0 1 ) ( 64 1 0 ) ( 64.0000001 0 0 ) wall 23.5294 -7 0.333333333 1 1");
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    const CMapBrush& brush = *r->doc->GetWorldBrushes().at(0);
    EXPECT_EQ(brush.m_faces[1].xOffset, 24);
    std::string saved = MapText(*r->doc);
    EXPECT_NE(saved.find("\t\t( 64 0 1 ) ( 64 1 0 ) ( 64.0000001 0 0 ) wall 23.5294 -7 "
                         "0.333333333 1.000000 1.000000\n"),
              std::string::npos)
        << saved;
    // Faces the fields hold exactly are written as ever.
    EXPECT_NE(saved.find("\t\t( -64 -64 64 ) ( -64 -64 -64 ) ( -64 64 -64 ) wall 0 0 0.000000 "
                         "1.000000 1.000000\n"),
              std::string::npos);
    EXPECT_EQ(MapText(*Read(saved)->doc), saved);
}

TEST(LosslessMap, DraggedBrushFollowsItsCornersButKeepsItsTextureNumbers) {
    std::string faces = kCubeFaceLines;
    faces.replace(faces.find("( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1"), 47,
                  "( 64 0 1 ) ( 64 1 0 ) ( 64.0 0 0 ) wall 23.5294 0 0 1 1");
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    CMapBrush& brush = *r->doc->GetWorldBrushes().at(0);
    for (int v = 0; v < brush.m_numVertices; ++v)
        brush.m_vertices[v].x += 8;
    brush.ForgetReadPlanes();
    std::string saved = MapText(*r->doc);
    EXPECT_EQ(saved.find("64.0"), std::string::npos);
    EXPECT_NE(saved.find("\t\t( 72 64 64 ) ( 72 64 -64 ) ( 72 -64 -64 ) wall 23.5294 0 0.000000 "
                         "1.000000 1.000000\n"),
              std::string::npos)
        << saved;
    // Setting the face's texture values replaces the kept text.
    brush.ForgetTextureText(1);
    EXPECT_NE(MapText(*r->doc).find("( 72 -64 -64 ) wall 24 0 0.000000"), std::string::npos);
}

TEST(LosslessMap, HugeNumbersInFaceLinesAreKeptAndReported) {
    std::string faces = kCubeFaceLines;
    faces.replace(faces.find("floor 0 0 0 1 1"), 15, "floor 99999999999999999999 0 1e40 1 1");
    faces.replace(faces.find("( 0 1 -64 )"), 11, "( 0 1e308 -64 )");
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    std::vector<std::string> messages = r->diagnostics.Messages();
    EXPECT_EQ(messages, std::vector<std::string>{"Number \"1e308\" is not a whole number within 32 "
                                                 "bits; it is read as 1\n"});
    std::string saved = MapText(*r->doc);
    EXPECT_NE(saved.find("( 0 1e308 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 99999999999999999999 0 "
                         "1e40 1.000000 1.000000\n"),
              std::string::npos)
        << saved;
    EXPECT_EQ(saved.find("inf"), std::string::npos);
}

// "nan", "inf" and "1e999" mean nothing to the compilers: each is a problem,
// read and written as the field's 0, or 1 for a scale, in either form. A
// number beyond what a float holds is kept as written, and converted as the
// largest float.
TEST(LosslessMap, NumbersThatAreNotFiniteAreReportedAndNeverWritten) {
    const std::string what = "\" is not a finite number; it is read as ";
    const std::vector<std::string> reported = {"Number \"nan" + what + "0\n",
                                               "Number \"inf" + what + "0\n",
                                               "Number \"1e999" + what + "1\n"};
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"wall nan 0 inf 1 1e999", reported},
        {"wall [ 0 nan 0 0 ] [ 0 0 -1 inf ] 0 1 1e999", reported},
        {"wall 0 0 1e40 1 1e40", {}},
    };
    for (const auto& [texture, messages] : cases) {
        SCOPED_TRACE(texture);
        std::string faces = kCubeFaceLines;
        faces.replace(faces.find("wall 0 0 0 1 1"), 14, texture);
        auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
        EXPECT_EQ(r->diagnostics.Messages(), messages);
        for (MapFormat format : {MapFormat::kStandard, MapFormat::kValve}) {
            r->doc->SetMapFormat(format);
            const std::string saved = MapText(*r->doc);
            EXPECT_EQ(saved.find("nan"), std::string::npos) << saved;
            EXPECT_EQ(saved.find("inf"), std::string::npos) << saved;
        }
    }
}

TEST(LosslessMap, BrushTooBigToHoldIsWrittenBackInItsPlace) {
    std::string faces;
    for (int i = 0; i < 33; ++i)
        faces += "( 0 0 " + std::to_string(i) + " ) ( 1 0 " + std::to_string(i) + " ) ( 0 1 " +
                 std::to_string(i) + " ) t 0 0 0 1 1\n";
    auto r = Read("{\n\"classname\" \"worldspawn\"\n{\n" + std::string(kCubeFaceLines) + "}\n{\n" +
                  faces + "}\n{\n" + kCubeFaceLines + "}\n}\n");
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 3u);
    EXPECT_FALSE(r->doc->GetWorldBrushes()[1]->IsHeld());
    std::string saved = MapText(*r->doc);
    size_t kept = saved.find("\t{\n\t\t( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) t 0 0 0 1 1\n");
    ASSERT_NE(kept, std::string::npos) << saved;
    EXPECT_NE(saved.find("( 0 1 32 ) t 0 0 0 1 1\n\t}\n\t{\n\t\t( -64 -64 64 )", kept),
              std::string::npos);
    EXPECT_EQ(MapText(*Read(saved)->doc), saved);
}

class LosslessRealMap : public ::testing::TestWithParam<std::string> {};

TEST_P(LosslessRealMap, SaveKeepsEveryPairInOrderAndASecondSaveChangesNoByte) {
    std::string original = ReadFileText(TestDataPath("maps/" + GetParam()));
    auto r = Read(original);
    std::string saved = MapText(*r->doc);
    EXPECT_EQ(FindLostPairs(original, saved), std::vector<std::string>{});
    EXPECT_EQ(ListEntitySequence(saved), ListEntitySequence(original));
    EXPECT_EQ(MapText(*Read(saved)->doc), saved);
}

INSTANTIATE_TEST_SUITE_P(EveryTestMap, LosslessRealMap, ::testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const auto& entry :
                                  std::filesystem::directory_iterator(TestDataPath("maps")))
                                 names.push_back(entry.path().filename().string());
                             std::sort(names.begin(), names.end());
                             return names;
                         }()),
                         [](const auto& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(MapPairs, FindsALostPairAndComparesNumbersByValue) {
    const char* original = "{\n\"a\" \"90.0\"\n\"b\" \"x\"\n\"spawnflags\" \"0\"\n}\n";
    EXPECT_EQ(FindLostPairs(original, "{\n\"a\" \"90\"\n\"b\" \"x\"\n}\n"),
              std::vector<std::string>{});
    EXPECT_EQ(FindLostPairs(original, "{\n\"a\" \"90.5\"\n\"b\" \"x\"\n}\n"),
              std::vector<std::string>{"a = # 90"});
}
