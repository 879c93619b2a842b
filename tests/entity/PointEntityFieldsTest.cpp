#include "WrittenEntityText.h"
#include "map/EntityFieldTransfer.h"

#include <gtest/gtest.h>

namespace {

using enum PointField;

PointEntityFields LoadedFrom(const CPointEntity& entity) {
    PointEntityFields fields;
    LoadFromEntity(fields, entity);
    return fields;
}

CPointEntity StoredFrom(const PointEntityFields& fields, CPointEntity entity = {}) {
    StoreToEntity(fields, entity);
    return entity;
}

PointEntityFields WithText(PointField field, const char* text) {
    PointEntityFields fields;
    fields.text[field] = text;
    return fields;
}

TEST(PointEntityPresence, EmptyAngleClearsItsPresence) {
    CPointEntity entity;
    entity.m_hasAngle = true;
    entity.m_angle = 90;
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kAngle], "90");
    fields.text[kAngle] = "";
    EXPECT_FALSE(StoredFrom(fields, entity).m_hasAngle);
}

TEST(PointEntityPresence, ZeroAndBlankAreBothPresent) {
    CPointEntity zero = StoredFrom(WithText(kAngle, "0"));
    EXPECT_TRUE(zero.m_hasAngle);
    EXPECT_EQ(zero.m_angle, 0);
    CPointEntity blank = StoredFrom(WithText(kLight, " "));
    EXPECT_TRUE(blank.m_hasLight);
    EXPECT_EQ(blank.m_light, 0);
}

TEST(PointEntityPresence, AbsentNumbersShowEmptyBoxes) {
    PointEntityFields fields = LoadedFrom(CPointEntity{});
    for (PointField field : {kAngle, kLight, kMangleX, kMangleY, kMangleZ, kNextthink})
        EXPECT_EQ(fields.text[field], "") << GetBoxName(field);
}

TEST(PointEntityNumbers, AtoiRuleTakesTheLeadingDigits) {
    CPointEntity digits = StoredFrom(WithText(kLight, "12abc"));
    EXPECT_TRUE(digits.m_hasLight);
    EXPECT_EQ(digits.m_light, 12);
    CPointEntity letters = StoredFrom(WithText(kLight, "abc"));
    EXPECT_TRUE(letters.m_hasLight);
    EXPECT_EQ(letters.m_light, 0);
    EXPECT_EQ(StoredFrom(WithText(kAngle, "  -45")).m_angle, -45);
}

TEST(PointEntityNumbers, SixteenBitFieldsKeepTheLowBits) {
    EXPECT_EQ(StoredFrom(WithText(kLight, "70000")).m_light, 4464);
    EXPECT_EQ(StoredFrom(WithText(kLight, "-1")).m_light, 65535);
    EXPECT_EQ(StoredFrom(WithText(kAngle, "32768")).m_angle, -32768);
    EXPECT_EQ(StoredFrom(WithText(kNextthink, "65537")).m_nextthink, 1);
}

TEST(PointEntityNumbers, NextthinkShowsWidenedUnsigned) {
    CPointEntity entity;
    entity.m_hasNextthink = true;
    entity.m_nextthink = -1;
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kNextthink], "4294967295");
    CPointEntity stored = StoredFrom(fields, entity);
    EXPECT_EQ(stored.m_nextthink, -1);
    EXPECT_EQ(stored.m_keptTexts.Find("nextthink"), nullptr);
}

TEST(PointEntityKeptText, ANumberTheFieldCannotHoldIsKeptAsTyped) {
    CPointEntity entity = StoredFrom(WithText(kLight, "70000"));
    ASSERT_NE(entity.m_keptTexts.Find("light"), nullptr);
    EXPECT_EQ(*entity.m_keptTexts.Find("light"), "70000");
    EXPECT_EQ(LoadedFrom(entity).text[kLight], "70000");
    EXPECT_NE(WrittenText(entity).find("\"light\" \"70000\""), std::string::npos);
}

TEST(PointEntityKeptText, AnExactNumberForgetsTheKeptText) {
    CPointEntity entity = StoredFrom(WithText(kLight, "70000"));
    PointEntityFields fields = LoadedFrom(entity);
    fields.text[kLight] = "300";
    CPointEntity changed = StoredFrom(fields, entity);
    EXPECT_EQ(changed.m_light, 300);
    EXPECT_EQ(changed.m_keptTexts.Find("light"), nullptr);
    EXPECT_EQ(LoadedFrom(changed).text[kLight], "300");
}

TEST(PointEntityKeptText, AClearedBoxForgetsTheKeptText) {
    CPointEntity entity = StoredFrom(WithText(kAngle, "12.5"));
    ASSERT_NE(entity.m_keptTexts.Find("angle"), nullptr);
    CPointEntity cleared = StoredFrom(PointEntityFields{}, entity);
    EXPECT_FALSE(cleared.m_hasAngle);
    EXPECT_EQ(cleared.m_keptTexts.Find("angle"), nullptr);
}

TEST(PointEntityMangle, AllThreeOrNothing) {
    CPointEntity entity;
    entity.m_mangle = {1, 2, 3};
    PointEntityFields fields;
    fields.text[kMangleX] = "10";
    fields.text[kMangleY] = "20";
    CPointEntity partial = StoredFrom(fields, entity);
    EXPECT_FALSE(partial.m_hasMangle);
    EXPECT_EQ(partial.m_mangle, (IntPoint{1, 2, 3}));
    fields.text[kMangleZ] = "30";
    CPointEntity whole = StoredFrom(fields, entity);
    EXPECT_TRUE(whole.m_hasMangle);
    EXPECT_EQ(whole.m_mangle, (IntPoint{10, 20, 30}));
    EXPECT_EQ(whole.m_keptTexts.Find("mangle"), nullptr);
}

TEST(PointEntityMangle, AKeptTripleFillsTheThreeBoxes) {
    CPointEntity entity;
    entity.m_hasMangle = true;
    entity.m_mangle = {10, -20, 0};
    entity.m_keptTexts.Keep("mangle", "10.5 -20 0");
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kMangleX], "10.5");
    EXPECT_EQ(fields.text[kMangleY], "-20");
    EXPECT_EQ(fields.text[kMangleZ], "0");
    CPointEntity stored = StoredFrom(fields, entity);
    ASSERT_NE(stored.m_keptTexts.Find("mangle"), nullptr);
    EXPECT_EQ(*stored.m_keptTexts.Find("mangle"), "10.5 -20 0");
}

TEST(PointEntitySpawnflags, BoxesStandForTheirBitsAndHigherBitsSurvive) {
    CPointEntity entity;
    entity.m_spawnflags = 4096 | 8192 | 1 | 2048;
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_TRUE(fields.spawnflags[0]);
    EXPECT_TRUE(fields.spawnflags[11]);
    EXPECT_FALSE(fields.spawnflags[1]);
    EXPECT_EQ(StoredFrom(fields, entity).m_spawnflags, 4096 | 8192 | 1 | 2048);
    fields.spawnflags[0] = false;
    fields.spawnflags[3] = true;
    EXPECT_EQ(StoredFrom(fields, entity).m_spawnflags, 4096 | 8192 | 8 | 2048);
}

TEST(PointEntityStyle, OutOfRangeStyleIsKeptWhenNoButtonIsChosen) {
    CPointEntity entity;
    entity.m_style = 40;
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(StoredFrom(fields, entity).m_style, 40);
    fields.style = 5;
    EXPECT_EQ(StoredFrom(fields, entity).m_style, 5);
    fields.style = kNoButton;
    EXPECT_EQ(StoredFrom(fields, entity).m_style, 40);
}

TEST(PointEntityRows, CustomRowsAreTheFirstTwoOtherPairsAndTheTableTheRest) {
    CPointEntity entity;
    entity.m_otherPairs = {{"_color", "1 0 0"}, {"wait", "2"}, {"_sun", "1"}, {"fog", "0.1"}};
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kCustomKey1], "_color");
    EXPECT_EQ(fields.text[kCustomValue1], "1 0 0");
    EXPECT_EQ(fields.text[kCustomKey2], "wait");
    EXPECT_EQ(fields.text[kCustomValue2], "2");
    EXPECT_EQ(fields.otherKeys, (std::vector<FieldPair>{{"_sun", "1"}, {"fog", "0.1"}}));
    EXPECT_EQ(StoredFrom(fields, entity).m_otherPairs, entity.m_otherPairs);
}

TEST(PointEntityRows, EmptyRowsAreDroppedAndNewRowsAppended) {
    CPointEntity entity;
    entity.m_otherPairs = {{"_color", "1 0 0"}};
    PointEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(StoredFrom(fields, entity).m_otherPairs, entity.m_otherPairs);
    fields.text[kCustomKey1] = "";
    fields.text[kCustomValue1] = "";
    fields.otherKeys.push_back({"delay", "3"});
    EXPECT_EQ(StoredFrom(fields, entity).m_otherPairs, (CustomPairList{{"delay", "3"}}));
}

TEST(PointEntityTexts, TextsAreStoredUnchangedAndAnEmptyClassIsAllowed) {
    PointEntityFields fields;
    fields.text[kTarget] = "t1";
    fields.text[kTargetname] = "tn";
    fields.text[kKilltarget] = "kt";
    fields.text[kMessage] = "Hello there";
    CPointEntity entity = StoredFrom(fields);
    EXPECT_EQ(entity.m_classname, "");
    EXPECT_EQ(entity.m_target, "t1");
    EXPECT_EQ(entity.m_targetname, "tn");
    EXPECT_EQ(entity.m_killtarget, "kt");
    EXPECT_EQ(entity.m_message, "Hello there");
}

TEST(PointEntityTexts, UnchangedLoadAndStoreLeavesTheEntityAlone) {
    CPointEntity entity;
    entity.m_classname = "light";
    entity.m_origin = {8, 16, 24};
    entity.m_hasLight = true;
    entity.m_light = 300;
    entity.m_style = 3;
    entity.m_hasMangle = true;
    entity.m_mangle = {0, -90, 0};
    entity.m_spawnflags = 1;
    entity.m_otherPairs = {{"_color", "1 1 0"}};
    CPointEntity stored = StoredFrom(LoadedFrom(entity), entity);
    EXPECT_EQ(WrittenText(stored), WrittenText(entity));
}

TEST(EntityFieldQuotes, ADoubleQuoteIsRefusedNamingItsBox) {
    PointEntityFields fields;
    fields.text[kClassname] = "light";
    fields.text[kMessage] = "say \"hi\"";
    auto problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, kMessage);
    EXPECT_NE(problem->message.find("\"Message\""), std::string::npos);
    fields.text[kMessage] = "say hi";
    EXPECT_FALSE(FindUnstorableText(fields).has_value());
    fields.otherKeys = {{"a", "b"}, {"q\"", "v"}};
    problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_FALSE(problem->field.has_value());
    EXPECT_EQ(problem->otherRow, 1u);
}

} // namespace
