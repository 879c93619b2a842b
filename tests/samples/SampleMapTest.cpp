#include "tools/samples/SampleMap.h"
#include "tools/samples/SampleTextures.h"

#include "BrushChecks.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace samples;
using namespace samples_test;

namespace {

class SampleMapTest : public ::testing::Test {
protected:
    void SetUp() override { m_doc.ReadMapText(MakeSampleMap().c_str(), m_diagnostics); }

    std::vector<const CMapBrush*> AllBrushes() const {
        std::vector<const CMapBrush*> brushes;
        for (const auto& brush : m_doc.GetWorldBrushes())
            brushes.push_back(brush.get());
        for (const auto& entity : m_doc.GetModelEntities()) {
            for (const auto& brush : entity->m_brushes)
                brushes.push_back(brush.get());
        }
        return brushes;
    }

    const CModelEntity* FindModelEntity(const std::string& classname) const {
        for (const auto& entity : m_doc.GetModelEntities()) {
            if (entity->m_classname == classname)
                return entity.get();
        }
        return nullptr;
    }

    std::vector<const CPointEntity*> PointEntities(const std::string& prefix) const {
        std::vector<const CPointEntity*> found;
        for (const auto& entity : m_doc.GetPointEntities()) {
            if (entity->m_classname.rfind(prefix, 0) == 0)
                found.push_back(entity.get());
        }
        return found;
    }

    CRecordingMessages m_boxes;
    CRecordingDiagnostics m_diagnostics;
    CTolveDoc m_doc;
};

bool OnGrid(int value) {
    return value % 8 == 0 && value >= -4096 && value <= 4096;
}

} // namespace

TEST_F(SampleMapTest, ReadsWithoutAnyReport) {
    EXPECT_EQ(m_diagnostics.Messages(), std::vector<std::string>{});
    EXPECT_TRUE(m_boxes.m_boxes.empty());
}

TEST_F(SampleMapTest, WorldNamesTheSampleTextureFileAndAMessage) {
    EXPECT_EQ(m_doc.m_textureWad.GetFileName(), "quake101.wad");
    EXPECT_FALSE(m_doc.m_worldMessage.empty());
    EXPECT_GE(m_doc.GetWorldBrushes().size(), 30u);
}

TEST_F(SampleMapTest, HasADoorOpenedByATrigger) {
    const CModelEntity* door = FindModelEntity("func_door");
    const CModelEntity* trigger = FindModelEntity("trigger_multiple");
    ASSERT_NE(door, nullptr);
    ASSERT_NE(trigger, nullptr);
    EXPECT_FALSE(door->m_targetname.empty());
    EXPECT_TRUE(door->m_hasLip);
    EXPECT_TRUE(door->m_hasSpeed);
    EXPECT_EQ(trigger->m_target, door->m_targetname);
    for (const auto& brush : trigger->m_brushes) {
        for (int f = 0; f < brush->m_numFaces; ++f)
            EXPECT_STREQ(brush->m_faces[f].texture, "trigger");
    }
}

TEST_F(SampleMapTest, PlacesAPlayerLightsAndMonsters) {
    std::vector<const CPointEntity*> starts = PointEntities("info_player_start");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_TRUE(starts[0]->m_hasAngle);
    std::vector<const CPointEntity*> lights = PointEntities("light");
    EXPECT_GE(lights.size(), 3u);
    for (const CPointEntity* light : lights)
        EXPECT_TRUE(light->m_hasLight && light->m_light > 0);
    std::vector<const CPointEntity*> monsters = PointEntities("monster_");
    std::set<std::string> kinds;
    for (const CPointEntity* monster : monsters) {
        EXPECT_TRUE(monster->m_hasAngle) << monster->m_classname;
        kinds.insert(monster->m_classname);
    }
    EXPECT_TRUE(kinds.count("monster_army") && kinds.count("monster_dog"));
    EXPECT_FALSE(PointEntities("item_").empty());
}

TEST_F(SampleMapTest, EveryTargetNamesSomething) {
    std::set<std::string> names;
    std::vector<std::string> targets;
    for (const auto& entity : m_doc.GetModelEntities()) {
        names.insert(entity->m_targetname);
        targets.push_back(entity->m_target);
    }
    for (const auto& entity : m_doc.GetPointEntities()) {
        names.insert(entity->m_targetname);
        targets.push_back(entity->m_target);
    }
    int linked = 0;
    for (const std::string& target : targets) {
        if (target.empty())
            continue;
        EXPECT_TRUE(names.count(target)) << target;
        ++linked;
    }
    EXPECT_GE(linked, 3);
}

TEST_F(SampleMapTest, BrushesAreBoxesBesidesOneWedge) {
    int wedges = 0;
    for (const CMapBrush* brush : AllBrushes()) {
        EXPECT_TRUE(FacesPointOutward(*brush));
        if (brush->m_numVertices == 6 && brush->m_numFaces == 5) {
            ++wedges;
            continue;
        }
        EXPECT_EQ(brush->m_numVertices, 8);
        EXPECT_EQ(brush->m_numFaces, 6);
        for (int f = 0; f < brush->m_numFaces; ++f)
            EXPECT_EQ(brush->m_faces[f].numPoints, 4);
    }
    EXPECT_EQ(wedges, 1);
}

TEST_F(SampleMapTest, CornersAndOriginsLieOnTheGrid) {
    for (const CMapBrush* brush : AllBrushes()) {
        for (int i = 0; i < brush->m_numVertices; ++i) {
            const IntPoint& v = brush->m_vertices[i];
            EXPECT_TRUE(OnGrid(v.x) && OnGrid(v.y) && OnGrid(v.z))
                << v.x << " " << v.y << " " << v.z;
        }
    }
    for (const auto& entity : m_doc.GetPointEntities()) {
        const IntPoint& o = entity->m_origin;
        EXPECT_TRUE(OnGrid(o.x) && OnGrid(o.y) && OnGrid(o.z)) << entity->m_classname;
    }
}

TEST_F(SampleMapTest, UsesOnlyTexturesOfTheSampleTextureFile) {
    std::set<std::string> available;
    for (const SampleTexture& texture : DrawSampleTextures())
        available.insert(texture.name);
    for (const CMapBrush* brush : AllBrushes()) {
        for (int f = 0; f < brush->m_numFaces; ++f)
            EXPECT_TRUE(available.count(brush->m_faces[f].texture)) << brush->m_faces[f].texture;
    }
}
