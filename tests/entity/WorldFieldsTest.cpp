#include "map/EntityFieldTransfer.h"

#include <gtest/gtest.h>

namespace {

using enum WorldField;

CWorldFields LoadedFrom(const CWorldKeys& world) {
    CWorldFields fields;
    LoadFromWorld(fields, world);
    return fields;
}

CWorldKeys StoredFrom(const CWorldFields& fields, CWorldKeys world = {}) {
    StoreToWorld(fields, world);
    return world;
}

TEST(WorldFields, ANewWorldShowsEmptyBoxesAndNoWorldtype) {
    CWorldFields fields = LoadedFrom(CWorldKeys{});
    EXPECT_EQ(fields.text[Title], "");
    EXPECT_EQ(fields.text[Light], "");
    EXPECT_EQ(fields.text[CdTrack], "");
    EXPECT_EQ(fields.worldType, kNoButton);
    CWorldKeys stored = StoredFrom(fields);
    EXPECT_FALSE(stored.m_hasWorldLight);
    EXPECT_FALSE(stored.m_hasWorldSounds);
    EXPECT_EQ(stored.m_worldType, -1);
}

TEST(WorldFields, ChosenWorldtypeIsStored) {
    CWorldFields fields;
    fields.worldType = 1;
    EXPECT_EQ(StoredFrom(fields).m_worldType, 1);
}

TEST(WorldFields, CdTrackWrapsToEightBitsAndClearingItClearsPresence) {
    CWorldKeys world;
    world.m_hasWorldSounds = true;
    world.m_worldSounds = 4;
    CWorldFields fields = LoadedFrom(world);
    EXPECT_EQ(fields.text[CdTrack], "4");
    fields.text[CdTrack] = "256";
    CWorldKeys wrapped = StoredFrom(fields, world);
    EXPECT_TRUE(wrapped.m_hasWorldSounds);
    EXPECT_EQ(wrapped.m_worldSounds, 0);
    fields.text[CdTrack] = "";
    EXPECT_FALSE(StoredFrom(fields, world).m_hasWorldSounds);
}

TEST(WorldFields, MinusOneLightIs65535AndTheTypedTextIsKept) {
    CWorldFields fields;
    fields.text[Light] = "-1";
    CWorldKeys world = StoredFrom(fields);
    EXPECT_EQ(world.m_worldLight, 65535);
    ASSERT_NE(world.m_worldKeptTexts.Find("light"), nullptr);
    EXPECT_EQ(LoadedFrom(world).text[Light], "-1");
    world.m_worldKeptTexts.Forget("light");
    EXPECT_EQ(LoadedFrom(world).text[Light], "65535");
}

TEST(WorldFields, AWorldtypeAboveTwoIsKeptUnlessCleared) {
    CWorldKeys world;
    world.m_worldType = 5;
    CWorldFields fields = LoadedFrom(world);
    EXPECT_EQ(StoredFrom(fields, world).m_worldType, 5);
    fields.worldType = kNoButton; // "Default"
    EXPECT_EQ(StoredFrom(fields, world).m_worldType, -1);
}

TEST(WorldFields, ATitleWithAQuoteIsRefused) {
    CWorldFields fields;
    fields.text[Title] = "The \"Gate\"";
    auto problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, Title);
}

} // namespace
