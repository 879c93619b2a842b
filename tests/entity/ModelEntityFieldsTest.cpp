#include "map/EntityFieldTransfer.h"

#include <gtest/gtest.h>

namespace {

using enum ModelField;

ModelEntityFields LoadedFrom(const CModelEntityKeys& entity) {
    ModelEntityFields fields;
    LoadFromEntity(fields, entity);
    return fields;
}

CModelEntityKeys StoredFrom(const ModelEntityFields& fields, CModelEntityKeys entity = {}) {
    StoreToEntity(fields, entity);
    return entity;
}

ModelEntityFields WithText(ModelField field, const char* text) {
    ModelEntityFields fields;
    fields.text[field] = text;
    return fields;
}

TEST(ModelEntityPresence, EachNumberIsPresentWhenItsBoxIsNotEmpty) {
    ModelEntityFields fields;
    fields.text[kSpeed] = "100";
    fields.text[kWait] = "-1";
    fields.text[kHeight] = " ";
    CModelEntityKeys entity = StoredFrom(fields);
    EXPECT_TRUE(entity.m_hasSpeed);
    EXPECT_EQ(entity.m_speed, 100);
    EXPECT_TRUE(entity.m_hasWait);
    EXPECT_EQ(entity.m_wait, -1);
    EXPECT_TRUE(entity.m_hasHeight);
    EXPECT_EQ(entity.m_height, 0);
    EXPECT_FALSE(entity.m_hasLip);
    EXPECT_FALSE(entity.m_hasDmg);
    EXPECT_FALSE(entity.m_hasHealth);
    EXPECT_FALSE(entity.m_hasDelay);
    EXPECT_FALSE(entity.m_hasSounds);
}

TEST(ModelEntityPresence, LoadShowsPresentNumbersOnly) {
    CModelEntityKeys entity;
    entity.m_hasLip = true;
    entity.m_lip = -8;
    entity.m_hasSounds = true;
    entity.m_sounds = 200;
    entity.m_dmg = 5; // not present
    ModelEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kLip], "-8");
    EXPECT_EQ(fields.text[kSound], "200");
    EXPECT_EQ(fields.text[kDmg], "");
}

TEST(ModelEntityNumbers, SoundKeepsTheLowEightBitsAndTheTypedText) {
    CModelEntityKeys entity = StoredFrom(WithText(kSound, "300"));
    EXPECT_TRUE(entity.m_hasSounds);
    EXPECT_EQ(entity.m_sounds, 44);
    ASSERT_NE(entity.m_keptTexts.Find("sounds"), nullptr);
    EXPECT_EQ(LoadedFrom(entity).text[kSound], "300");
}

TEST(ModelEntityNumbers, NoSoundIsAPresentZero) {
    CModelEntityKeys entity = StoredFrom(WithText(kSound, "0"));
    EXPECT_TRUE(entity.m_hasSounds);
    EXPECT_EQ(entity.m_sounds, 0);
    EXPECT_TRUE(entity.m_keptTexts.IsEmpty());
}

TEST(ModelEntityNumbers, AFractionalWaitSetsTheFieldAndIsKept) {
    CModelEntityKeys entity = StoredFrom(WithText(kWait, "0.5"));
    EXPECT_EQ(entity.m_wait, 0);
    ASSERT_NE(entity.m_keptTexts.Find("wait"), nullptr);
    EXPECT_EQ(*entity.m_keptTexts.Find("wait"), "0.5");
}

TEST(ModelEntityNumbers, SixteenBitWrapAndAtoi) {
    EXPECT_EQ(StoredFrom(WithText(kSpeed, "65536")).m_speed, 0);
    EXPECT_EQ(StoredFrom(WithText(kHealth, "40000")).m_health, 40000 - 65536);
    EXPECT_EQ(StoredFrom(WithText(kDmg, "12abc")).m_dmg, 12);
    EXPECT_EQ(StoredFrom(WithText(kDelay, "abc")).m_delay, 0);
}

TEST(ModelEntitySkill, TheLoadedSkillIsTheIndexAndOutOfRangeIsKept) {
    CModelEntityKeys entity;
    entity.m_classname = kSetSkillClass;
    entity.m_skill = 2;
    EXPECT_EQ(LoadedFrom(entity).skill, 2);
    entity.m_skill = 9;
    ModelEntityFields fields = LoadedFrom(entity);
    fields.skill = kNoButton; // the dialog chose no button for 9
    EXPECT_EQ(StoredFrom(fields, entity).m_skill, 9);
    fields.skill = 3;
    EXPECT_EQ(StoredFrom(fields, entity).m_skill, 3);
}

TEST(ModelEntitySkill, AChosenSkillForgetsTheSkillTriggersKeptMessage) {
    CModelEntityKeys entity;
    entity.m_classname = kSetSkillClass;
    entity.m_skill = 2;
    entity.m_keptTexts.Keep("message", "2.0");
    ModelEntityFields fields = LoadedFrom(entity);
    EXPECT_NE(StoredFrom(fields, entity).m_keptTexts.Find("message"), nullptr);
    fields.skill = 1;
    EXPECT_EQ(StoredFrom(fields, entity).m_keptTexts.Find("message"), nullptr);
}

TEST(ModelEntitySpawnflags, HigherBitsSurvive) {
    CModelEntityKeys entity;
    entity.m_spawnflags = 4096 | 4;
    ModelEntityFields fields = LoadedFrom(entity);
    EXPECT_TRUE(fields.spawnflags[2]);
    fields.spawnflags[2] = false;
    fields.spawnflags[4] = true;
    EXPECT_EQ(StoredFrom(fields, entity).m_spawnflags, 4096 | 16);
}

TEST(ModelEntityAngleAndCount, BoxesEditTheirPairsOutsideTheRows) {
    CModelEntityKeys entity;
    entity.m_otherPairs = {{"angle", "90"}, {"_minlight", "5"}, {"count", "3"}, {"sky", "x"}};
    ModelEntityFields fields = LoadedFrom(entity);
    EXPECT_EQ(fields.text[kAngle], "90");
    EXPECT_EQ(fields.text[kCount], "3");
    EXPECT_EQ(fields.text[kCustomKey1], "_minlight");
    EXPECT_EQ(fields.text[kCustomKey2], "sky");
    EXPECT_TRUE(fields.otherKeys.empty());
    EXPECT_EQ(StoredFrom(fields, entity).m_otherPairs, entity.m_otherPairs);
    fields.text[kAngle] = "-1";
    fields.text[kCount] = "";
    EXPECT_EQ(StoredFrom(fields, entity).m_otherPairs,
              (CustomPairList{{"angle", "-1"}, {"_minlight", "5"}, {"sky", "x"}}));
}

TEST(ModelEntityAngleAndCount, NewValuesAreAppended) {
    ModelEntityFields fields;
    fields.text[kCustomKey1] = "_shadow";
    fields.text[kCustomValue1] = "1";
    fields.text[kCount] = "4";
    EXPECT_EQ(StoredFrom(fields).m_otherPairs, (CustomPairList{{"_shadow", "1"}, {"count", "4"}}));
}

TEST(ModelEntityTexts, TextsAreStoredUnchanged) {
    ModelEntityFields fields;
    fields.text[kClassname] = "trigger_changelevel";
    fields.text[kMap] = "e1m2";
    fields.text[kMessage] = "Go on";
    fields.text[kTarget] = "t";
    CModelEntityKeys entity = StoredFrom(fields);
    EXPECT_EQ(entity.m_classname, "trigger_changelevel");
    EXPECT_EQ(entity.m_map, "e1m2");
    EXPECT_EQ(entity.m_message, "Go on");
    EXPECT_EQ(entity.m_target, "t");
    EXPECT_EQ(LoadedFrom(entity).text[kMap], "e1m2");
}

TEST(ModelEntityQuotes, AQuoteInTheMapBoxIsNamed) {
    auto problem = FindUnstorableText(WithText(kMap, "e1\"m2"));
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, kMap);
    EXPECT_NE(problem->message.find("\"Map\""), std::string::npos);
}

} // namespace
