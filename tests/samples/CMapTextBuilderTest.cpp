#include "tools/samples/CMapTextBuilder.h"

#include "BrushChecks.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace samples;
using namespace samples_test;

namespace {

// Reads builder text into a document; fails the test on any report.
void ReadText(CTolveDoc& doc, const std::string& text) {
    CRecordingMessages boxes;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(text.c_str(), diagnostics);
    EXPECT_TRUE(diagnostics.m_entries.empty()) << diagnostics.Messages().front();
    EXPECT_TRUE(boxes.m_boxes.empty());
}

} // namespace

TEST(OrientPlane, KeepsOutwardPointsAndReversesInwardOnes) {
    const std::array<IntPoint, 3> top = {IntPoint(1, 0, 0), IntPoint(0, 0, 0), IntPoint(0, 1, 0)};
    // (1,0,0) x (0,1,0) = (0,0,1): outward when the inside is below.
    EXPECT_EQ(OrientPlane(top, IntPoint(0, 0, -5)), top);
    std::array<IntPoint, 3> flipped = OrientPlane(top, IntPoint(3, 3, 5));
    EXPECT_EQ(flipped[0], top[2]);
    EXPECT_EQ(flipped[1], top[1]);
    EXPECT_EQ(flipped[2], top[0]);
}

TEST(OrientPlane, RefusesCollinearPointsAndAnInsidePointOnThePlane) {
    EXPECT_THROW(
        OrientPlane({IntPoint(0, 0, 0), IntPoint(1, 1, 1), IntPoint(2, 2, 2)}, IntPoint(0, 0, 9)),
        std::invalid_argument);
    EXPECT_THROW(
        OrientPlane({IntPoint(1, 0, 0), IntPoint(0, 0, 0), IntPoint(0, 1, 0)}, IntPoint(7, 7, 0)),
        std::invalid_argument);
}

TEST(CMapTextBuilder, ABoxReadsBackAsACubeWithOutwardFaces) {
    CMapTextBuilder map;
    map.BeginEntity("worldspawn");
    map.AddBox({-64, -64, -64}, {64, 64, 64}, BoxTextures{"wall", "ceiling", "floor"});
    map.EndEntity();
    EXPECT_EQ(map.GetText().substr(0, 27), "{\n\"classname\" \"worldspawn\"\n");

    CTolveDoc doc;
    ReadText(doc, map.GetText());
    ASSERT_EQ(doc.GetWorldBrushes().size(), 1u);
    const CMapBrush& brush = *doc.GetWorldBrushes()[0];
    ASSERT_EQ(brush.m_numVertices, 8);
    ASSERT_EQ(brush.m_numFaces, 6);
    for (int i = 0; i < 8; ++i) {
        const IntPoint& v = brush.m_vertices[i];
        EXPECT_EQ(std::abs(v.x), 64);
        EXPECT_EQ(std::abs(v.y), 64);
        EXPECT_EQ(std::abs(v.z), 64);
    }
    const char* textures[] = {"wall", "wall", "wall", "wall", "floor", "ceiling"};
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(brush.m_faces[f].numPoints, 4);
        EXPECT_STREQ(brush.m_faces[f].texture, textures[f]);
    }
    EXPECT_TRUE(FacesPointOutward(brush));
}

TEST(CMapTextBuilder, AConvexBrushIsOrientedFromItsInsidePoint) {
    // A wedge whose faces are given in no particular order of points.
    const IntPoint a(0, 0, 0), b(64, 0, 0), c(0, 64, 0), d(64, 64, 0), e(0, 64, 32), f(64, 64, 32);
    CMapTextBuilder map;
    map.BeginEntity("func_wall");
    map.AddConvexBrush(
        {{{a, c, e}, "w"}, {{f, d, b}, "w"}, {{c, d, e}, "w"}, {{a, b, c}, "w"}, {{f, b, a}, "w"}},
        IntPoint(32, 48, 8));
    map.EndEntity();

    CTolveDoc doc;
    ReadText(doc, map.GetText());
    ASSERT_EQ(doc.GetModelEntities().size(), 1u);
    const CMapBrush& brush = *doc.GetModelEntities()[0]->m_brushes.at(0);
    EXPECT_EQ(brush.m_numVertices, 6);
    EXPECT_EQ(brush.m_numFaces, 5);
    EXPECT_TRUE(FacesPointOutward(brush));
}

TEST(CMapTextBuilder, WritesKeysAsQuotedPairs) {
    CMapTextBuilder map;
    map.BeginEntity("light");
    map.AddKey("origin", IntPoint(8, -16, 24));
    map.AddKey("light", 300);
    map.AddKey("target", "lamp");
    map.EndEntity();
    EXPECT_EQ(map.GetText(), "{\n\"classname\" \"light\"\n\"origin\" \"8 -16 24\"\n"
                             "\"light\" \"300\"\n\"target\" \"lamp\"\n}\n");
}

TEST(CMapTextBuilder, RefusesWhatCannotBeWrittenOrRead) {
    CMapTextBuilder map;
    EXPECT_THROW(map.AddBox({0, 0, 0}, {8, 8, 8}, "wall"), std::logic_error);
    EXPECT_THROW(map.EndEntity(), std::logic_error);
    map.BeginEntity("worldspawn");
    const std::string opened = map.GetText();
    EXPECT_THROW(map.BeginEntity("light"), std::logic_error);
    EXPECT_THROW(map.AddKey("message", "say \"hi\""), std::invalid_argument);
    EXPECT_THROW(map.AddBox({0, 0, 0}, {8, 8, 1}, "wall"), std::invalid_argument);
    EXPECT_THROW(map.AddBox({0, 0, 0}, {8, 8, 8}, "a_name_too_long_"), std::invalid_argument);
    EXPECT_THROW(map.AddBox({0, 0, 0}, {8, 8, 8}, ""), std::invalid_argument);
    EXPECT_EQ(map.GetText(), opened); // nothing half-written
}
