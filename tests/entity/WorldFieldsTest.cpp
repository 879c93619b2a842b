#include "map/EntityFieldTransfer.h"

#include <gtest/gtest.h>

namespace {

using enum WorldField;

WorldFields LoadedFrom(const CWorldKeys& world) {
    WorldFields fields;
    LoadFromWorld(fields, world);
    return fields;
}

CWorldKeys StoredFrom(const WorldFields& fields, CWorldKeys world = {}) {
    StoreToWorld(fields, world);
    return world;
}

TEST(WorldFields, ANewWorldShowsEmptyBoxesAndNoWorldtype) {
    WorldFields fields = LoadedFrom(CWorldKeys{});
    EXPECT_EQ(fields.text[kTitle], "");
    EXPECT_EQ(fields.text[kLight], "");
    EXPECT_EQ(fields.text[kCdTrack], "");
    EXPECT_EQ(fields.worldType, kNoButton);
    CWorldKeys stored = StoredFrom(fields);
    EXPECT_FALSE(stored.m_hasWorldLight);
    EXPECT_FALSE(stored.m_hasWorldSounds);
    EXPECT_EQ(stored.m_worldType, -1);
}

TEST(WorldFields, ChosenWorldtypeIsStored) {
    WorldFields fields;
    fields.worldType = 1;
    EXPECT_EQ(StoredFrom(fields).m_worldType, 1);
}

TEST(WorldFields, CdTrackWrapsToEightBitsAndClearingItClearsPresence) {
    CWorldKeys world;
    world.m_hasWorldSounds = true;
    world.m_worldSounds = 4;
    WorldFields fields = LoadedFrom(world);
    EXPECT_EQ(fields.text[kCdTrack], "4");
    fields.text[kCdTrack] = "256";
    CWorldKeys wrapped = StoredFrom(fields, world);
    EXPECT_TRUE(wrapped.m_hasWorldSounds);
    EXPECT_EQ(wrapped.m_worldSounds, 0);
    fields.text[kCdTrack] = "";
    EXPECT_FALSE(StoredFrom(fields, world).m_hasWorldSounds);
}

TEST(WorldFields, MinusOneLightIs65535AndTheTypedTextIsKept) {
    WorldFields fields;
    fields.text[kLight] = "-1";
    CWorldKeys world = StoredFrom(fields);
    EXPECT_EQ(world.m_worldLight, 65535);
    ASSERT_NE(world.m_worldKeptTexts.Find("light"), nullptr);
    EXPECT_EQ(LoadedFrom(world).text[kLight], "-1");
    world.m_worldKeptTexts.Forget("light");
    EXPECT_EQ(LoadedFrom(world).text[kLight], "65535");
}

TEST(WorldFields, AWorldtypeAboveTwoIsKeptUnlessCleared) {
    CWorldKeys world;
    world.m_worldType = 5;
    WorldFields fields = LoadedFrom(world);
    EXPECT_EQ(StoredFrom(fields, world).m_worldType, 5);
    fields.worldType = kNoButton; // "Default"
    EXPECT_EQ(StoredFrom(fields, world).m_worldType, -1);
}

TEST(WorldFields, ATitleWithAQuoteIsRefused) {
    WorldFields fields;
    fields.text[kTitle] = "The \"Gate\"";
    auto problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, kTitle);
}

} // namespace
