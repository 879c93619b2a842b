#include "entity/EntityClassNames.h"
#include "map/CTolveDoc.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(EntityClassNames, ListsKeepTheirSizeEndsAndDistinctNames) {
    const std::vector<std::string>& points = GetPointClassNames();
    const std::vector<std::string>& brushes = GetBrushClassNames();
    ASSERT_EQ(points.size(), 74u);
    ASSERT_EQ(brushes.size(), 22u);
    EXPECT_EQ(points.front(), "air_bubbles");
    EXPECT_EQ(points.back(), "weapon_lightning");
    EXPECT_EQ(brushes.front(), "func_bossgate");
    EXPECT_EQ(brushes.back(), "trigger_hurt");
    EXPECT_EQ(std::set<std::string>(points.begin(), points.end()).size(), points.size());
    EXPECT_EQ(std::set<std::string>(brushes.begin(), brushes.end()).size(), brushes.size());
}

TEST(EntityClassNames, StoredOrderIsNotAlphabetical) {
    const std::vector<std::string>& points = GetPointClassNames();
    // The dialogs sort for display; the stored order is the vocabulary's own.
    EXPECT_EQ(points[2], "ambient_drone");
    EXPECT_EQ(points[3], "ambient_comp_hum");
    EXPECT_EQ(points[21], "item_armorInv");
    EXPECT_EQ(points[35], "light");
    EXPECT_EQ(points[64], "noclass");
    const std::vector<std::string>& brushes = GetBrushClassNames();
    EXPECT_EQ(brushes[10], "trigger_teleport");
    EXPECT_EQ(brushes[11], "trigger_changelevel");
}

TEST(EntityClassNames, NoPointClassIsABrushClass) {
    std::set<std::string> brushes(GetBrushClassNames().begin(), GetBrushClassNames().end());
    for (const std::string& name : GetPointClassNames())
        EXPECT_EQ(brushes.count(name), 0u) << name;
}

TEST(EntityClassNames, EveryDocumentHoldsBothLists) {
    CTolveDoc doc;
    EXPECT_EQ(doc.m_pointClassNames, GetPointClassNames());
    EXPECT_EQ(doc.m_brushClassNames, GetBrushClassNames());
}

} // namespace
