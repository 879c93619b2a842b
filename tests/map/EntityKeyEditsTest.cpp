#include "map/EntityKeyEdits.h"

#include "map/CMapTransaction.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// Three lights, the second brighter than the others, and a door.
const std::string kLightsMap =
    CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n\"light\" \"200\"\n"
                "\"_color\" \"1 0 0\"\n}\n"
                "{\n\"classname\" \"light\"\n\"origin\" \"16 0 0\"\n\"light\" \"300\"\n"
                "\"_color\" \"1 0 0\"\n}\n"
                "{\n\"classname\" \"light\"\n\"origin\" \"32 0 0\"\n\"light\" \"200\"\n"
                "\"_color\" \"1 0 0\"\n}\n"
                "{\n\"classname\" \"func_door\"\n\"speed\" \"100\"\n{\n" +
                std::string(kCubeFaceLines) + "}\n}\n");

class EntityKeyEdits : public ::testing::Test {
protected:
    void SetUp() override {
        m_read = Read(kLightsMap);
        for (const auto& entity : Doc().GetPointEntities())
            m_lights.push_back({entity.get(), nullptr});
        m_door = {nullptr, Doc().GetModelEntities().front().get()};
    }

    CTolveDoc& Doc() const { return *m_read->doc; }

    // The change as the inspector makes it: one step when it is taken.
    std::optional<std::string> Apply(std::span<const KeyedEntity> entities,
                                     const KeyChange& change) {
        CMapTransaction transaction(Doc(), "Entity Keys");
        std::optional<std::string> problem =
            ApplyKeyChange(transaction.Edits(), Doc(), entities, change);
        if (transaction.HasChanges())
            transaction.Commit();
        return problem;
    }

    const GatheredKey& Row(const std::vector<GatheredKey>& rows, const std::string& key) {
        auto found = std::find_if(rows.begin(), rows.end(),
                                  [&](const GatheredKey& row) { return row.key == key; });
        if (found == rows.end())
            throw std::out_of_range(key);
        return *found;
    }

    std::unique_ptr<ReadMap> m_read;
    std::vector<KeyedEntity> m_lights;
    KeyedEntity m_door;
};

} // namespace

TEST_F(EntityKeyEdits, AValueTheEntitiesDifferInIsMarkedAndTheSharedOnesAreShown) {
    const std::vector<GatheredKey> rows = GatherEntityKeys(Doc(), m_lights);
    EXPECT_EQ(rows.front().key, "classname");
    EXPECT_TRUE(Row(rows, "light").differs);
    EXPECT_EQ(Row(rows, "light").value, "");
    EXPECT_TRUE(Row(rows, "origin").differs);
    EXPECT_FALSE(Row(rows, "_color").differs);
    EXPECT_EQ(Row(rows, "_color").value, "1 0 0");
    EXPECT_EQ(Row(rows, "classname").value, "light");
}

TEST_F(EntityKeyEdits, AValueSetOnAllIsOneStepThatUndoesOnAll) {
    const std::string before = MapText(Doc());
    EXPECT_EQ(Apply(m_lights, KeyChange::Set("light", "250")), std::nullopt);
    EXPECT_EQ(Doc().GetHistory().GetStepCount(), 1u);
    const std::vector<GatheredKey> rows = GatherEntityKeys(Doc(), m_lights);
    EXPECT_FALSE(Row(rows, "light").differs);
    EXPECT_EQ(Row(rows, "light").value, "250");
    Doc().GetHistory().Undo(Doc());
    EXPECT_EQ(MapText(Doc()), before);
}

// However a key comes to be set again, the entity holds one pair of it.
TEST_F(EntityKeyEdits, AKeySetThatTheEntityHasIsWrittenOnce) {
    const KeyedEntity light = m_lights.front();
    const KeyChange changes[] = {KeyChange::Set("_color", "0 1 0"), KeyChange::Set("light", "180"),
                                 KeyChange::Set("wait", "2"), KeyChange::Set("wait", "3"),
                                 KeyChange::Rename("_color", "wait")};
    for (const KeyChange& change : changes)
        ASSERT_EQ(Apply(std::span(&light, 1), change), std::nullopt) << change.key;
    const CustomPairList keys = CMapWriter::ListKeys(*light.point);
    for (const char* key : {"light", "wait"})
        EXPECT_EQ(std::count_if(keys.begin(), keys.end(),
                                [&](const CustomPair& pair) { return pair.key == key; }),
                  1)
            << key;
    EXPECT_EQ(
        ListEntityKeys(Doc(), light),
        (CustomPairList{
            {"classname", "light"}, {"origin", "0 0 0"}, {"light", "180"}, {"wait", "0 1 0"}}));
}

struct RefusedCase {
    const char* name;
    KeyChange change;
    const char* message;
};

class EntityKeyRefusals : public EntityKeyEdits,
                          public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(EntityKeyRefusals, AValueTheMapCannotHoldChangesNothing) {
    const std::string before = MapText(Doc());
    const std::vector<KeyedEntity> entities{m_lights[0], m_lights[1], m_door};
    const std::optional<std::string> problem = Apply(entities, GetParam().change);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(GetParam().message), std::string::npos) << *problem;
    EXPECT_EQ(Doc().GetHistory().GetStepCount(), 0u);
    EXPECT_EQ(MapText(Doc()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EntityKeyRefusals,
    ::testing::Values(RefusedCase{"BadNumber", KeyChange::Set("light", "bright"), "takes a number"},
                      RefusedCase{"BadNumberOfTheDoor", KeyChange::Set("speed", "12x"), "\"12x\""},
                      RefusedCase{"Quote", KeyChange::Set("target", "a\"b"), "double quote"},
                      RefusedCase{"NoClass", KeyChange::Remove("classname"), "needs a class name"},
                      RefusedCase{"Origin", KeyChange::Rename("light", "origin"), "moving"},
                      RefusedCase{"NoOrigin", KeyChange::Remove("origin"), "Move the entity"},
                      RefusedCase{"Flags", KeyChange::Set("spawnflags", "-1"), "between 0 and"},
                      RefusedCase{"NoName", KeyChange::Set("", "1"), "needs a name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntityKeyEdits, TheWorldIsChosenOnlyWhenNoBrushEntityIs) {
    CSelectionSet set;
    set.Add(*Doc().GetWorldBrushes().front(), CSelectionSet::kWholeBrush);
    EXPECT_EQ(ListKeyedEntities(Doc(), set, kBrushMode), std::vector<KeyedEntity>{{}});
    set.Add(*m_door.model->m_brushes.front(), CSelectionSet::kWholeBrush);
    EXPECT_EQ(ListKeyedEntities(Doc(), set, kBrushMode), std::vector<KeyedEntity>{m_door});
    set.Add(*m_lights[1].point);
    EXPECT_EQ(ListKeyedEntities(Doc(), set, kEntityMode), std::vector<KeyedEntity>{m_lights[1]});
    EXPECT_EQ(Apply(std::vector<KeyedEntity>{{}}, KeyChange::Set("_sunlight", "90")), std::nullopt);
    EXPECT_EQ(ListEntityKeys(Doc(), {}).back(), (CustomPair{"_sunlight", "90"}));
}
