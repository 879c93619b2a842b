#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const std::string kCubeFaces = std::string("\n") + kCubeFaceLines;

std::string Cube() {
    return std::string("{") + kCubeFaces + "}\n";
}

} // namespace

TEST(CMapReader, CommentsAndWhitespaceOnlyGiveNoEntityAndNoMessage) {
    auto r = Read("// nothing here\n\n   \t// still nothing\n");
    EXPECT_TRUE(r->doc->GetPointEntities().empty());
    EXPECT_TRUE(r->doc->GetModelEntities().empty());
    EXPECT_TRUE(r->doc->GetWorldBrushes().empty());
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
}

TEST(CMapReader, EmptyBracesGiveAPointEntityWithoutAName) {
    auto r = Read("{\n}\n");
    ASSERT_EQ(r->doc->GetPointEntities().size(), 1u);
    const CPointEntity& e = *r->doc->GetPointEntities()[0];
    EXPECT_EQ(e.m_classname, "");
    EXPECT_EQ(e.m_origin, IntPoint(0, 0, 0));
    EXPECT_FALSE(e.m_hasAngle || e.m_hasLight || e.m_hasMangle || e.m_hasNextthink);
}

TEST(CMapReader, StrayTokensOutsideEntitiesAreEachReportedOnce) {
    auto r = Read("junk\nmore {\n}\n");
    ASSERT_EQ(r->diagnostics.m_entries.size(), 2u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message, "Error: { not found\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 0);
    EXPECT_EQ(r->diagnostics.m_entries[1].line, 1);
    EXPECT_EQ(r->doc->GetPointEntities().size(), 1u);
}

TEST(CMapReader, PointEntityKeysGoToTheirFields) {
    auto r = Read(R"({
"classname" "light"
"origin" "8 16 -24"
"angle" "-90"
"light" "70000"
"mangle" "1 2 3"
"nextthink" "-1"
"spawnflags" "65537"
"style" "300"
"target" "t1"
"targetname" "t2"
"killtarget" "t3"
"message" "hello world"
"unknown" "kept"
"light" "200"
})");
    ASSERT_EQ(r->doc->GetPointEntities().size(), 1u);
    const CPointEntity& e = *r->doc->GetPointEntities()[0];
    EXPECT_EQ(e.m_classname, "light");
    EXPECT_EQ(e.m_origin, IntPoint(8, 16, -24));
    EXPECT_TRUE(e.m_hasAngle);
    EXPECT_EQ(e.m_angle, -90);
    EXPECT_TRUE(e.m_hasLight);
    EXPECT_EQ(e.m_light, 200); // the later pair wins
    EXPECT_TRUE(e.m_hasMangle);
    EXPECT_EQ(e.m_mangle, IntPoint(1, 2, 3));
    EXPECT_TRUE(e.m_hasNextthink);
    EXPECT_EQ(e.m_nextthink, -1);
    EXPECT_EQ(e.m_spawnflags, 1); // low 16 bits
    EXPECT_EQ(e.m_style, 300 - 256);
    EXPECT_EQ(e.m_target, "t1");
    EXPECT_EQ(e.m_targetname, "t2");
    EXPECT_EQ(e.m_killtarget, "t3");
    EXPECT_EQ(e.m_message, "hello world");
    EXPECT_EQ(e.m_otherPairs, (CustomPairList{{"unknown", "kept"}}));
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
}

TEST(CMapReader, LightAboveSixteenBitsKeepsItsLowBits) {
    auto r = Read("{ \"light\" \"70000\" }");
    EXPECT_EQ(r->doc->GetPointEntities()[0]->m_light, 70000 - 65536);
}

TEST(CMapReader, OriginSplitsAtSpacesButNotAtTabs) {
    auto r = Read("{ \"origin\" \"  8  16 -24\" }\n{ \"origin\" \"8\t16\t-24\" }\n");
    ASSERT_EQ(r->doc->GetPointEntities().size(), 2u);
    EXPECT_EQ(r->doc->GetPointEntities()[0]->m_origin, IntPoint(8, 16, -24));
    // The tab-separated value is one number followed by junk; the missing two
    // become 0 and the shortfall is reported.
    EXPECT_EQ(r->doc->GetPointEntities()[1]->m_origin, IntPoint(8, 0, 0));
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Value of \"origin\" has fewer than three numbers\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 1);
}

TEST(CMapReader, MangleWithTwoNumbersIsReportedAndCompletedWithZero) {
    auto r = Read("{\n\"mangle\" \"10 20\"\n}");
    EXPECT_EQ(r->doc->GetPointEntities()[0]->m_mangle, IntPoint(10, 20, 0));
    EXPECT_EQ(r->diagnostics.Messages(),
              std::vector<std::string>{"Value of \"mangle\" has fewer than three numbers\n"});
}

TEST(CMapReader, ValueOnTheNextLineIsTakenAfterOneMessage) {
    auto r = Read("{\n\"classname\"\n\"light\"\n}");
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message, "Line is incomplete.\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 1);
    EXPECT_EQ(r->doc->GetPointEntities()[0]->m_classname, "light");
}

TEST(CMapReader, WorldspawnWithoutBrushesIsStillTheWorld) {
    auto r = Read("{ \"classname\" \"worldspawn\" \"wad\" \"other.wad\" }");
    EXPECT_TRUE(r->doc->GetPointEntities().empty());
    EXPECT_EQ(r->doc->m_textureWad.GetFileName(), "other.wad");
    // A new map saved and opened again stays one world, however often.
    std::string text = MapText(*r->doc);
    auto again = Read(text);
    EXPECT_TRUE(again->doc->GetPointEntities().empty());
    EXPECT_EQ(MapText(*again->doc), text);
}

TEST(CMapReader, WorldKeysAndBrushes) {
    auto r =
        Read("{\n\"classname\" \"worldspawn\"\n\"wad\" \"gfx/base.wad\"\n\"message\" \"The "
             "Hall\"\n\"worldtype\" \"2\"\n\"sounds\" \"6\"\n\"light\" \"300\"\n\"origin\" \"1 "
             "2 3\"\n" +
             Cube() + "}\n");
    const CTolveDoc& doc = *r->doc;
    EXPECT_EQ(doc.m_textureWad.GetFileName(), "gfx/base.wad");
    EXPECT_EQ(doc.m_worldMessage, "The Hall");
    EXPECT_EQ(doc.m_worldType, 2);
    EXPECT_TRUE(doc.m_hasWorldSounds);
    EXPECT_EQ(doc.m_worldSounds, 6);
    EXPECT_TRUE(doc.m_hasWorldLight);
    EXPECT_EQ(doc.m_worldLight, 300);
    EXPECT_EQ(doc.GetWorldBrushes().size(), 1u);
    EXPECT_TRUE(doc.GetPointEntities().empty());
}

TEST(CMapReader, TwoWorldspawnsMergeAndEachStartsItsKeysAgain) {
    auto r =
        Read("{ \"classname\" \"worldspawn\" \"worldtype\" \"1\" \"light\" \"5\"" + Cube() +
             "}\n{ \"classname\" \"worldspawn\" \"message\" \"second\"" + Cube() + Cube() + "}\n");
    const CTolveDoc& doc = *r->doc;
    EXPECT_EQ(doc.GetWorldBrushes().size(), 3u);
    EXPECT_EQ(doc.m_worldType, -1);
    EXPECT_FALSE(doc.m_hasWorldLight);
    EXPECT_EQ(doc.m_worldMessage, "second");
}

TEST(CMapReader, BrushEntityKeysEntityclassAndSetSkill) {
    auto r =
        Read("{ \"classname\" \"func_door\" \"entityclass\" \"func_plat\" \"speed\" \"-5\" "
             "\"wait\" \"2\" \"dmg\" \"3\" \"lip\" \"4\" \"health\" \"5\" \"delay\" \"6\" "
             "\"height\" \"7\" \"sounds\" \"258\" \"spawnflags\" \"9\" \"target\" \"a\" "
             "\"targetname\" \"b\" \"killtarget\" \"c\" \"message\" \"msg\" \"map\" \"e1m2\" "
             "\"angle\" \"90\" \"origin\" \"1 2 3\"" +
             Cube() + "}\n{ \"classname\" \"trigger_setskill\" \"message\" \"2\"" + Cube() + "}\n");
    ASSERT_EQ(r->doc->GetModelEntities().size(), 2u);
    const CModelEntity& e = *r->doc->GetModelEntities()[0];
    EXPECT_EQ(e.m_classname, "func_plat");
    EXPECT_TRUE(e.m_hasSpeed && e.m_hasWait && e.m_hasDmg && e.m_hasLip && e.m_hasHealth &&
                e.m_hasDelay && e.m_hasHeight && e.m_hasSounds);
    EXPECT_EQ(e.m_speed, -5);
    EXPECT_EQ(e.m_wait, 2);
    EXPECT_EQ(e.m_dmg, 3);
    EXPECT_EQ(e.m_lip, 4);
    EXPECT_EQ(e.m_health, 5);
    EXPECT_EQ(e.m_delay, 6);
    EXPECT_EQ(e.m_height, 7);
    EXPECT_EQ(e.m_sounds, 2);
    EXPECT_EQ(e.m_spawnflags, 9);
    EXPECT_EQ(e.m_target, "a");
    EXPECT_EQ(e.m_targetname, "b");
    EXPECT_EQ(e.m_killtarget, "c");
    EXPECT_EQ(e.m_message, "msg");
    EXPECT_EQ(e.m_map, "e1m2");
    EXPECT_EQ(e.m_brushes.size(), 1u);

    const CModelEntity& skill = *r->doc->GetModelEntities()[1];
    EXPECT_EQ(skill.m_skill, 2);
    EXPECT_EQ(skill.m_message, "");
}

TEST(CMapReader, FaceLineConversions) {
    auto r = Read("{ \"classname\" \"worldspawn\"\n{\n"
                  "( -64x 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) \"my wall\" 0.5 -0.5 12.5 0 -2\n"
                  "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1\n"
                  "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1\n"
                  "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1\n"
                  "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1\n"
                  "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n}\n}\n");
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 1u);
    const CMapBrush& brush = *r->doc->GetWorldBrushes()[0];
    ASSERT_EQ(brush.m_numFaces, 6);
    const BrushFace& face = brush.m_faces[0];
    EXPECT_STREQ(face.texture, "my wall");
    EXPECT_EQ(face.xOffset, 1); // 0.5 rounds up
    EXPECT_EQ(face.yOffset, 0); // -0.5 rounds up too
    EXPECT_FLOAT_EQ(face.rotation, 12.5f);
    EXPECT_FLOAT_EQ(face.xScale, 1.0f); // a scale of 0 becomes 1
    EXPECT_FLOAT_EQ(face.yScale, -2.0f);
    // -64x reads as -64, so the brush is still the 128 cube, and says so.
    EXPECT_EQ(brush.m_numVertices, 8);
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Number \"-64x\" is not a whole number within 32 bits; it is read as -64\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 2);
}

TEST(CMapReader, MissingParenthesesAreReportedAndTheTokensTakenInstead) {
    auto r = Read("{\n{\n( 0 0 0 ] [ 1 0 0 ) ( 0 1 0 ) t 0 0 0 1 1\n}\n}");
    std::vector<std::string> messages = r->diagnostics.Messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], "parsing map file - missing )");
    EXPECT_EQ(messages[1], "parsing map file - missing (\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 2);
}

TEST(CMapReader, TextureNameOverFifteenCharactersIsShortened) {
    std::string text = "{\n{" + kCubeFaces + "}\n}";
    text.replace(text.find("wall"), 4, "a_very_long_texture_name");
    auto r = Read(text);
    ASSERT_EQ(r->doc->GetModelEntities().size(), 1u);
    EXPECT_STREQ(r->doc->GetModelEntities()[0]->m_brushes[0]->m_faces[0].texture,
                 "a_very_long_tex");
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Texture name is longer than 15 characters; it is shown shortened and saved as "
              "written\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 2);
}

TEST(CMapReader, TextureNameOfFifteenCharactersIsKeptWholeWithoutAMessage) {
    std::string text = "{\n{" + kCubeFaces + "}\n}";
    text.replace(text.find("wall"), 4, "fifteen_chars15");
    auto r = Read(text);
    ASSERT_EQ(r->doc->GetModelEntities().size(), 1u);
    EXPECT_STREQ(r->doc->GetModelEntities()[0]->m_brushes[0]->m_faces[0].texture,
                 "fifteen_chars15");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
}

namespace {

// Face lines of a prism standing on a ring of `sides` integer points of radius
// 2000, from z = 0 to 64: sides + 2 distinct faces.
std::string PrismFaceLines(int sides) {
    std::string lines;
    auto ring = [&](int i) {
        double a = 2.0 * M_PI * (i % sides) / sides;
        return std::make_pair(std::lround(2000 * std::cos(a)), std::lround(2000 * std::sin(a)));
    };
    for (int i = 0; i < sides; ++i) {
        auto [ax, ay] = ring(i);
        auto [bx, by] = ring(i + 1);
        lines += "( " + std::to_string(bx) + " " + std::to_string(by) + " 64 ) ( " +
                 std::to_string(bx) + " " + std::to_string(by) + " 0 ) ( " + std::to_string(ax) +
                 " " + std::to_string(ay) + " 0 ) side 0 0 0 1 1\n";
    }
    lines += "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) bottom 0 0 0 1 1\n";
    lines += "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) top 0 0 0 1 1\n";
    return lines;
}

} // namespace

TEST(CMapReader, BrushOfThirtyTwoFaceLinesIsHeldWithoutAMessage) {
    auto r = Read("{ \"classname\" \"worldspawn\"\n{\n" + PrismFaceLines(30) + "}\n}");
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 1u);
    const CMapBrush& brush = *r->doc->GetWorldBrushes()[0];
    EXPECT_TRUE(brush.IsHeld());
    EXPECT_EQ(brush.m_numFaces, 32);
    EXPECT_EQ(brush.m_numVertices, 60);
    EXPECT_TRUE(r->diagnostics.m_entries.empty());

    // One line more is one too many, even when it only repeats a face.
    auto over = Read("{ \"classname\" \"worldspawn\"\n{\n" + PrismFaceLines(30) +
                     "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) top 0 0 0 1 1\n}\n}");
    ASSERT_EQ(over->doc->GetWorldBrushes().size(), 1u);
    EXPECT_FALSE(over->doc->GetWorldBrushes()[0]->IsHeld());
    EXPECT_EQ(over->diagnostics.Messages(),
              std::vector<std::string>{"Brush has more than 32 faces; it is kept as written but "
                                       "cannot be shown or edited\n"});
}

TEST(CMapReader, BrushWithMoreThan32FaceLinesIsKeptUnheldBesideTheRest) {
    std::string faces;
    for (int i = 0; i < 6; ++i)
        faces += kCubeFaces;
    auto r = Read("{ \"classname\" \"worldspawn\"\n{" + faces + "}\n" + Cube() + "}");
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 2u);
    EXPECT_FALSE(r->doc->GetWorldBrushes()[0]->IsHeld());
    EXPECT_EQ(r->doc->GetWorldBrushes()[0]->m_numFaces, 0);
    EXPECT_EQ(r->doc->GetWorldBrushes()[0]->m_numVertices, 0);
    EXPECT_TRUE(r->doc->GetWorldBrushes()[1]->IsHeld());
    ASSERT_EQ(r->diagnostics.m_entries.size(), 1u);
    EXPECT_EQ(r->diagnostics.m_entries[0].message,
              "Brush has more than 32 faces; it is kept as written but cannot be shown or "
              "edited\n");
    EXPECT_EQ(r->diagnostics.m_entries[0].line, 1);
    EXPECT_EQ(r->diagnostics.m_entries[0].brushLine, 1);
}

// Only the numbers and the ")" of a point must stay on its line; the next
// point may start on a line of its own.
TEST(CMapReader, SecondAndThirdPointsMayStartOnTheNextLine) {
    std::string split = kCubeFaces;
    for (size_t at = split.find(") ("); at != std::string::npos; at = split.find(") (", at))
        split.replace(at, 3, ")\n\t(");
    ASSERT_EQ(std::count(split.begin(), split.end(), '\n'), 1 + 3 * 6);
    auto r = Read("{ \"classname\" \"worldspawn\"\n{" + split + "}\n}");
    auto one = Read("{ \"classname\" \"worldspawn\"\n{" + kCubeFaces + "}\n}");
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 1u);
    EXPECT_EQ(r->doc->GetWorldBrushes()[0]->m_numFaces, 6);
    EXPECT_EQ(MapText(*r->doc), MapText(*one->doc));

    // A number of a point on the next line is still reported.
    auto broken = Read("{\n{\n( 0 0\n0 ) ( 1 0 0 ) ( 0 1 0 ) t 0 0 0 1 1\n}\n}");
    ASSERT_FALSE(broken->diagnostics.m_entries.empty());
    EXPECT_EQ(broken->diagnostics.m_entries[0].message, "Line is incomplete.\n");
    EXPECT_EQ(broken->diagnostics.m_entries[0].line, 2);
    // And so is a ")" on the next line.
    auto late = Read("{\n{\n( 0 0 0 ) ( 1 0 0\n) ( 0 1 0 ) t 0 0 0 1 1\n}\n}");
    ASSERT_FALSE(late->diagnostics.m_entries.empty());
    EXPECT_EQ(late->diagnostics.m_entries[0].message, "Line is incomplete.\n");
}

TEST(CMapReader, EntityAndBrushCutByTheEndOfTheText) {
    auto r = Read("{ \"classname\" \"worldspawn\"\n{" + kCubeFaces + "( 0 0");
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 1u);
    EXPECT_EQ(r->doc->GetWorldBrushes()[0]->m_numFaces, 6);
    EXPECT_EQ(r->diagnostics.Messages(),
              (std::vector<std::string>{"Line is incomplete.\n",
                                        "Brush is not closed at the end of the file\n",
                                        "Entity is not closed at the end of the file\n"}));
    // Each at the line of its opening brace.
    EXPECT_EQ(r->diagnostics.m_entries[1].line, 1);
    EXPECT_EQ(r->diagnostics.m_entries[2].line, 0);
}

// A file cut off after any of its lines, as a full disk or a killed copy
// leaves it, is either whole or says what is left open.
TEST(CMapReader, AMapCutAfterAnyLineIsWholeOrSaysWhatIsLeftOpen) {
    const std::string map =
        CubeMapText("{\n\"classname\" \"func_door\"\n{\n" + std::string(kCubeFaceLines) +
                    "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n");
    int whole = 0;
    int depth = 0;
    for (size_t end = 0; end < map.size(); ++end) {
        depth += map[end] == '{' ? 1 : map[end] == '}' ? -1 : 0;
        if (map[end] != '\n')
            continue;
        const std::string cut = map.substr(0, end + 1);
        auto r = Read(cut);
        if (depth == 0) {
            ++whole;
            EXPECT_TRUE(r->diagnostics.m_entries.empty()) << cut;
        } else {
            EXPECT_FALSE(r->diagnostics.m_entries.empty()) << cut;
        }
    }
    EXPECT_EQ(whole, 3);
}

TEST(CMapReader, BuildMessagesCarryLineZeroAndTheirBrushLine) {
    // A bevel of the cube's corner edge that narrows to 0.05 at the top: the
    // short edge building finds is a notice.
    auto r = Read("{\n\n{\n" + std::string(kCubeFaceLines) +
                  "( 64 60 -64 ) ( 60 64 -64 ) ( 64 63.95 64 ) bevel 0 0 0 1 1\n}\n}");
    ASSERT_FALSE(r->diagnostics.m_notices.empty());
    for (const auto& entry : r->diagnostics.m_notices) {
        EXPECT_EQ(entry.line, 0);
        EXPECT_EQ(entry.brushLine, 2);
    }
}

namespace {

// The face lines of the box from `lo` to `hi`, each plane pointing out.
std::string BoxLines(const IntPoint& lo, const IntPoint& hi) {
    auto n = [](int32_t value) { return std::to_string(value); };
    return "( " + n(lo.x) + " 0 1 ) ( " + n(lo.x) + " -1 0 ) ( " + n(lo.x) +
           " 0 0 ) t 0 0 0 1 1\n" + "( " + n(hi.x) + " 0 1 ) ( " + n(hi.x) + " 1 0 ) ( " + n(hi.x) +
           " 0 0 ) t 0 0 0 1 1\n" + "( 0 " + n(lo.y) + " 1 ) ( 1 " + n(lo.y) + " 0 ) ( 0 " +
           n(lo.y) + " 0 ) t 0 0 0 1 1\n" + "( 0 " + n(hi.y) + " 1 ) ( -1 " + n(hi.y) +
           " 0 ) ( 0 " + n(hi.y) + " 0 ) t 0 0 0 1 1\n" + "( 0 1 " + n(lo.z) + " ) ( -1 0 " +
           n(lo.z) + " ) ( 0 0 " + n(lo.z) + " ) t 0 0 0 1 1\n" + "( 0 1 " + n(hi.z) + " ) ( 1 0 " +
           n(hi.z) + " ) ( 0 0 " + n(hi.z) + " ) t 0 0 0 1 1\n";
}

} // namespace

// Brushes anywhere in the world, its corners included, are built whole; one
// beyond it is kept as written, and told.
TEST(CMapReader, BrushesAreBuiltAcrossTheWorldAndThoseBeyondItAreKept) {
    const int32_t e = kWorldExtent;
    const std::pair<IntPoint, IntPoint> inside[] = {
        {{19936, 19936, 19936}, {20064, 20064, 20064}},
        {{-20064, -20064, -20064}, {-19936, -19936, -19936}},
        {{-e, -e, -e}, {e, e, e}},
    };
    for (const auto& [lo, hi] : inside) {
        auto r =
            Read(CubeMapText("{\n\"classname\" \"func_wall\"\n{\n" + BoxLines(lo, hi) + "}\n}\n"));
        const CMapBrush& brush = *r->doc->GetModelEntities().at(0)->m_brushes.at(0);
        EXPECT_TRUE(r->diagnostics.m_entries.empty()) << lo.x;
        EXPECT_EQ(brush.m_numFaces, 6);
        ASSERT_EQ(brush.m_numVertices, 8);
        EXPECT_TRUE(std::find(brush.m_vertices, brush.m_vertices + 8, lo) != brush.m_vertices + 8);
        EXPECT_TRUE(std::find(brush.m_vertices, brush.m_vertices + 8, hi) != brush.m_vertices + 8);
    }
    const std::string beyond = BoxLines({e, 0, 0}, {e + 64, 64, 64});
    auto r = Read(CubeMapText("{\n\"classname\" \"func_wall\"\n{\n" + beyond + "}\n}\n"));
    EXPECT_EQ(r->diagnostics.Messages(),
              std::vector<std::string>{"Brush reaches further than 65536 units from the origin, or "
                                       "is open; it is kept as written but cannot be shown or "
                                       "edited\n"});
    EXPECT_TRUE(r->diagnostics.m_notices.empty());
    EXPECT_NE(MapText(*r->doc).find(beyond.substr(0, beyond.find('\n'))), std::string::npos);
}

TEST(CMapReader, UnreadableFileIsReportedAndRefused) {
    CRecordingMessages messages;
    CTempDir dir;
    CTolveDoc doc;
    EXPECT_FALSE(OpenShowing(doc, dir.Path("missing.map").string()));
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "File Open Error");
    EXPECT_NE(messages.m_boxes[0].text.find("missing.map"), std::string::npos);
    EXPECT_NE(messages.m_boxes[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(OpenShowing(doc, dir.Root().string()));
}

TEST(CMapReader, MessagesGoToMapReadErrorBoxesWithTheLineFirst) {
    CRecordingMessages messages;
    CTempDir dir;
    WriteFileText(dir.Path("a.map"), "\n\nstray\n");
    CTolveDoc doc;
    EXPECT_TRUE(OpenShowing(doc, dir.Path("a.map").string()));
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "Map Read Error");
    // Lines are counted from 1, as editors and the command line count them.
    EXPECT_EQ(messages.m_boxes[0].text, "3 : Error: { not found\n");
    EXPECT_EQ(messages.m_boxes[0].icon, MessageIcon::kError);
}

TEST(CMapReader, PlanePointsOfAValveFaceSpelledOtherwiseThanTheWriterSpellsThemAreKept) {
    // "+64", "064" and "-0" are the numbers 64, 64 and 0, but not as saved.
    const std::string odd =
        "( -64 0 1 ) ( -64 -1 0 ) ( -64 -0 0 ) a [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1";
    const std::string oddToo =
        "( +64 0 1 ) ( 064 1 0 ) ( 64 0 0 ) a [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1";
    const std::string plain[4] = {
        "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) a [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1",
        "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) a [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1",
        "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) a [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1",
        "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) a [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1"};
    std::string text = "{\n\"classname\" \"worldspawn\"\n{\n" + odd + "\n" + oddToo + "\n";
    for (const std::string& line : plain)
        text += line + "\n";
    text += "}\n}\n";
    auto r = Read(text);
    EXPECT_TRUE(r->diagnostics.m_entries.empty());
    ASSERT_EQ(r->doc->GetWorldBrushes().size(), 1u);
    const CMapBrush& brush = *r->doc->GetWorldBrushes()[0];
    EXPECT_EQ(brush.m_numVertices, 8);
    ASSERT_TRUE(brush.m_readPlanes);
    EXPECT_EQ(brush.m_readPlanes->planeTexts.size(), 2u);
    EXPECT_EQ(brush.m_readPlanes->points.size(), 4u); // the faces written as saved
    const std::string saved = CMapWriter::WriteText(r->doc->GetContents());
    for (const std::string& line : {odd, oddToo, plain[0], plain[3]})
        EXPECT_NE(saved.find("\t\t" + line + "\n"), std::string::npos) << line << "\n" << saved;
}
