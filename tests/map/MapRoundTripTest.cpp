#include "map/CMapWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The first difference between two brushes, or an empty string.
std::string BrushDifference(const CMapBrush& a, const CMapBrush& b) {
    if (a.m_numVertices != b.m_numVertices || a.m_numFaces != b.m_numFaces)
        return "vertex or face count";
    for (int v = 0; v < a.m_numVertices; ++v) {
        if (!(a.m_vertices[v] == b.m_vertices[v]))
            return "vertex " + std::to_string(v);
    }
    for (int f = 0; f < a.m_numFaces; ++f) {
        const BrushFace& x = a.m_faces[f];
        const BrushFace& y = b.m_faces[f];
        bool same = x.numPoints == y.numPoints &&
                    std::memcmp(x.vertexIndex, y.vertexIndex, x.numPoints) == 0 &&
                    std::strcmp(x.texture, y.texture) == 0 && x.xOffset == y.xOffset &&
                    x.yOffset == y.yOffset && x.rotation == y.rotation && x.xScale == y.xScale &&
                    x.yScale == y.yScale;
        if (!same)
            return "face " + std::to_string(f);
    }
    return {};
}

std::string BrushListDifference(const BrushList& a, const BrushList& b) {
    if (a.size() != b.size())
        return "brush count";
    for (size_t i = 0; i < a.size(); ++i) {
        std::string difference = BrushDifference(*a[i], *b[i]);
        if (!difference.empty())
            return "brush " + std::to_string(i) + ": " + difference;
    }
    return {};
}

bool SameKeys(const CModelEntity& x, const CModelEntity& y) {
    return std::tie(x.m_classname, x.m_target, x.m_targetname, x.m_killtarget, x.m_message, x.m_map,
                    x.m_spawnflags, x.m_skill, x.m_hasSpeed, x.m_hasWait, x.m_hasDmg, x.m_hasLip,
                    x.m_hasHealth, x.m_hasDelay, x.m_hasHeight, x.m_hasSounds, x.m_speed, x.m_wait,
                    x.m_dmg, x.m_lip, x.m_health, x.m_delay, x.m_height, x.m_sounds) ==
           std::tie(y.m_classname, y.m_target, y.m_targetname, y.m_killtarget, y.m_message, y.m_map,
                    y.m_spawnflags, y.m_skill, y.m_hasSpeed, y.m_hasWait, y.m_hasDmg, y.m_hasLip,
                    y.m_hasHealth, y.m_hasDelay, y.m_hasHeight, y.m_hasSounds, y.m_speed, y.m_wait,
                    y.m_dmg, y.m_lip, y.m_health, y.m_delay, y.m_height, y.m_sounds);
}

bool SameKeys(const CPointEntity& x, const CPointEntity& y) {
    return std::tie(x.m_classname, x.m_origin, x.m_hasAngle, x.m_hasLight, x.m_hasMangle,
                    x.m_hasNextthink, x.m_angle, x.m_light, x.m_nextthink, x.m_style,
                    x.m_spawnflags, x.m_mangle, x.m_target, x.m_targetname, x.m_killtarget,
                    x.m_message) == std::tie(y.m_classname, y.m_origin, y.m_hasAngle, y.m_hasLight,
                                             y.m_hasMangle, y.m_hasNextthink, y.m_angle, y.m_light,
                                             y.m_nextthink, y.m_style, y.m_spawnflags, y.m_mangle,
                                             y.m_target, y.m_targetname, y.m_killtarget,
                                             y.m_message);
}

// The first difference between two maps' models, or an empty string.
std::string ModelDifference(const CTolveDoc& a, const CTolveDoc& b) {
    bool sameWorld =
        std::tie(a.m_worldMessage, a.m_worldType, a.m_hasWorldLight, a.m_hasWorldSounds) ==
            std::tie(b.m_worldMessage, b.m_worldType, b.m_hasWorldLight, b.m_hasWorldSounds) &&
        a.m_textureWad.GetFileName() == b.m_textureWad.GetFileName() &&
        (!a.m_hasWorldLight || a.m_worldLight == b.m_worldLight) &&
        (!a.m_hasWorldSounds || a.m_worldSounds == b.m_worldSounds);
    if (!sameWorld)
        return "world keys";
    std::string difference = BrushListDifference(a.GetWorldBrushes(), b.GetWorldBrushes());
    if (!difference.empty())
        return "world " + difference;
    if (a.GetModelEntities().size() != b.GetModelEntities().size())
        return "brush entity count";
    for (size_t i = 0; i < a.GetModelEntities().size(); ++i) {
        const CModelEntity& x = *a.GetModelEntities()[i];
        const CModelEntity& y = *b.GetModelEntities()[i];
        if (!SameKeys(x, y))
            return "keys of brush entity " + std::to_string(i);
        difference = BrushListDifference(x.m_brushes, y.m_brushes);
        if (!difference.empty())
            return "brush entity " + std::to_string(i) + " " + difference;
    }
    if (a.GetPointEntities().size() != b.GetPointEntities().size())
        return "point entity count";
    for (size_t i = 0; i < a.GetPointEntities().size(); ++i) {
        if (!SameKeys(*a.GetPointEntities()[i], *b.GetPointEntities()[i]))
            return "keys of point entity " + std::to_string(i);
    }
    return {};
}

class MapRoundTrip : public ::testing::TestWithParam<const char*> {};

} // namespace

// Read, write, read again: the same model, and a second write gives the same bytes.
TEST_P(MapRoundTrip, ReadWriteReadKeepsTheModelAndTheText) {
    CTolveDoc first;
    CRecordingDiagnostics original;
    ASSERT_TRUE(
        !first.ReadMapFile(TestDataPath(std::string("maps/") + GetParam()).string(), original));
    size_t messagesFromTheOriginal = original.m_entries.size();
    std::string written = MapText(first);

    CTolveDoc second;
    CRecordingDiagnostics diagnostics;
    second.ReadMapText(written.c_str(), diagnostics);
    EXPECT_EQ(ModelDifference(first, second), "");
    EXPECT_TRUE(MapText(second) == written);
    // The written file has nothing new to say: only what it keeps as written
    // (numbers the fields cannot hold, faces without a plane) is noted again.
    for (const auto& entry : diagnostics.m_entries) {
        std::vector<std::string> before = original.Messages();
        EXPECT_NE(std::find(before.begin(), before.end(), entry.message), before.end())
            << entry.message;
    }
    EXPECT_LE(diagnostics.m_entries.size(), messagesFromTheOriginal);
}

INSTANTIATE_TEST_SUITE_P(RealMaps, MapRoundTrip,
                         ::testing::Values("tb_cube.map", "ericw_swtest.map", "ericw_q1_csg.map",
                                           "lq_greenwood.map", "id_dm1.map", "id_e1m1.map",
                                           "lq_castellated.map", "ericw_retrojam1_ericw.map",
                                           "tb_emptyMapWithoutFormatTag.map", "lq_b_explob.map"));

TEST(MapRoundTrip, UntouchedBrushKeepsItsPlanesAndAMovedOneFollowsItsCorners) {
    const char* text = "{\n\"classname\" \"worldspawn\"\n{\n"
                       "( 0 100 64 ) ( 0 0 64 ) ( 0 0 0 ) t 0 0 0 1 1\n"
                       "( 50 0 64 ) ( 50 100 64 ) ( 50 100 0 ) t 0 0 0 1 1\n"
                       "( 0 0 64 ) ( 50 0 64 ) ( 50 0 0 ) t 0 0 0 1 1\n"
                       "( 50 100 64 ) ( 0 100 64 ) ( 0 100 0 ) t 0 0 0 1 1\n"
                       "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1\n"
                       "( 100 0 71 ) ( 0 0 64 ) ( 0 100 64 ) t 0 0 0 1 1\n}\n}\n";
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(text, diagnostics);
    ASSERT_EQ(doc.GetWorldBrushes().size(), 1u);
    ASSERT_EQ(doc.GetWorldBrushes()[0]->m_numFaces, 6);
    std::string written = MapText(doc);
    EXPECT_NE(written.find("\t\t( 100 0 71 ) ( 0 0 64 ) ( 0 100 64 ) t 0 0"), std::string::npos);

    // The corners at x = 50 lie at z = 67.5 and round to 68, off the slope.
    // Once a corner is dragged, the corners rule.
    CMapBrush& brush = *doc.GetWorldBrushes()[0];
    brush.m_vertices[0].z += 8;
    brush.ForgetReadPlanes();
    written = MapText(doc);
    EXPECT_EQ(written.find("( 100 0 71 ) ( 0 0 64 ) ( 0 100 64 )"), std::string::npos);
}

TEST(MapRoundTrip, OtherDialectsAndBrokenFilesAreReadWithoutCrashOrStormOfBoxes) {
    CRecordingMessages messages;
    for (const auto& entry :
         std::filesystem::directory_iterator(TestDataPath("maps-other-formats"))) {
        SCOPED_TRACE(entry.path().filename().string());
        messages.m_boxes.clear();
        CTolveDoc doc;
        EXPECT_TRUE(OpenShowing(doc, entry.path().string()));
        EXPECT_LE(messages.m_boxes.size(), 1u);
        // Whatever was recognised can be saved and read back; brushes that
        // were never closed need not come back the same.
        std::string written = MapText(doc);
        CTolveDoc again;
        CRecordingDiagnostics diagnostics;
        again.ReadMapText(written.c_str(), diagnostics);
        EXPECT_EQ(again.GetPointEntities().size(), doc.GetPointEntities().size());
    }
}
