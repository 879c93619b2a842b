#include "entity/FlagLabels.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const SpawnflagCaptions kTemplateFlags = {"1",           "2",
                                          "4",           "8",
                                          "16",          "32",
                                          "64",          "128",
                                          "Not In Easy", "Not In Medium",
                                          "Not In Hard", "Not In Deathmatch"};
const SoundCaptions kTemplateSounds = {"1", "2", "3", "4"};

// What a class shows: only the captions that differ from the template, by
// bit value or sound number.
struct CaptionCase {
    const char* className;
    std::map<int, std::string> flags;
    std::map<int, std::string> sounds;
};

SpawnflagCaptions ExpectedFlags(const CaptionCase& expected) {
    SpawnflagCaptions captions = kTemplateFlags;
    for (const auto& [bit, caption] : expected.flags) {
        int index = 0;
        while (GetSpawnflagBit(index) != bit)
            ++index;
        captions[index] = caption;
    }
    return captions;
}

SoundCaptions ExpectedSounds(const CaptionCase& expected) {
    SoundCaptions captions = kTemplateSounds;
    for (const auto& [number, caption] : expected.sounds)
        captions[number - 1] = caption;
    return captions;
}

void PrintTo(const CaptionCase& c, std::ostream* out) {
    *out << '"' << c.className << '"';
}

class PointFlagLabels : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(PointFlagLabels, ShowsTheCaptionsOfTheFirstMatchingRule) {
    EXPECT_EQ(MakePointFlagLabels(GetParam().className), ExpectedFlags(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PointFlagLabels,
    ::testing::Values(
        CaptionCase{"item_cells", {{1, "Big"}}, {}}, CaptionCase{"item_rockets", {{1, "Big"}}, {}},
        CaptionCase{"item_shells", {{1, "Big"}}, {}}, CaptionCase{"item_spikes", {{1, "Big"}}, {}},
        // The zombie rule comes before the monster prefix.
        CaptionCase{"monster_zombie", {{1, "Crucified"}}, {}},
        CaptionCase{"monster_ogre", {{1, "Ambush"}}, {}},
        CaptionCase{"monster_zombie2", {{1, "Ambush"}}, {}},
        CaptionCase{"monster_", {{1, "Ambush"}}, {}}, CaptionCase{"monster", {}, {}},
        CaptionCase{"Monster_ogre", {}, {}},
        CaptionCase{"item_health", {{1, "Rotten"}, {2, "Megahealth"}}, {}},
        CaptionCase{"item_health2", {}, {}},
        CaptionCase{"item_sigil", {{1, "E1"}, {2, "E2"}, {4, "E3"}, {8, "E4"}}, {}},
        CaptionCase{"light", {{1, "Starts off"}}, {}}, CaptionCase{"light_fluoro", {}, {}},
        CaptionCase{"Light", {}, {}}, CaptionCase{"ligh", {}, {}},
        CaptionCase{"trap_spikeshooter", {{1, "Superspike"}, {2, "Laser"}}, {}},
        CaptionCase{"trap_shooter", {{1, "Superspike"}, {2, "Laser"}}, {}},
        CaptionCase{"trap_", {{1, "Superspike"}, {2, "Laser"}}, {}}, CaptionCase{"trap", {}, {}},
        CaptionCase{"", {}, {}},
        // Brush rules do not apply to point entities.
        CaptionCase{"func_door", {}, {}}, CaptionCase{"trigger_push", {}, {}}));

class BrushFlagLabels : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(BrushFlagLabels, ShowsTheCaptionsOfTheFirstMatchingRule) {
    BrushEntityCaptions captions = MakeBrushFlagLabels(GetParam().className);
    EXPECT_EQ(captions.flags, ExpectedFlags(GetParam()));
    EXPECT_EQ(captions.sounds, ExpectedSounds(GetParam()));
}

const std::map<int, std::string> kDoorSounds = {
    {1, "Stone"}, {2, "Base"}, {3, "Stone Chain"}, {4, "Screechy Metal"}};
const std::map<int, std::string> kTriggerSounds = {
    {1, "Secret Sound"}, {2, "Beep Beep"}, {3, "Large Switch"}, {4, "Message=text?"}};

INSTANTIATE_TEST_SUITE_P(
    Rules, BrushFlagLabels,
    ::testing::Values(
        CaptionCase{"func_episodegate", {{1, "E1"}, {2, "E2"}, {4, "E3"}, {8, "E4"}}, {}},
        CaptionCase{"trigger_changelevel", {{1, "No Intermission"}}, {}},
        CaptionCase{"trigger_teleport", {{1, "Player Only"}, {2, "Silent"}}, {}},
        CaptionCase{"func_door",
                    {{1, "Toggle"},
                     {2, "Start Open"},
                     {4, "Door Don't Link"},
                     {8, "Gold Key"},
                     {16, "Silver Key"}},
                    kDoorSounds},
        CaptionCase{"func_door_secret",
                    {{1, "Open Once"},
                     {2, "1st Left"},
                     {4, "1st Down"},
                     {8, "No Shoot"},
                     {16, "Always Shoot"}},
                    kDoorSounds},
        // Other doors share the sounds but not the bits.
        CaptionCase{"func_door2", {}, kDoorSounds},
        CaptionCase{"func_door_secret2", {}, kDoorSounds}, CaptionCase{"func_doo", {}, {}},
        CaptionCase{"func_plat", {}, {{1, "Base Fast"}, {2, "Chain Slow"}}},
        CaptionCase{"func_train", {}, {{1, "Ratchet Metal"}}},
        CaptionCase{
            "func_button",
            {},
            {{1, "Steam Metal"}, {2, "Wooden Clunk"}, {3, "Metallic Click"}, {4, "In-Out"}}},
        CaptionCase{"trigger_once", {{1, "No Touch"}}, kTriggerSounds},
        CaptionCase{"trigger_multiple", {{1, "No Touch"}}, kTriggerSounds},
        CaptionCase{"trigger_onlyregistered", {{1, "No Touch"}}, kTriggerSounds},
        // A secret keeps sound buttons 3 and 4 as they are.
        CaptionCase{"trigger_secret", {{1, "No Touch"}}, {{1, "Secret Sound"}, {2, "Beep Beep"}}},
        CaptionCase{"trigger_counter", {{1, "No Message"}}, {}},
        CaptionCase{"trigger_push", {{1, "Push Once"}}, {}}, CaptionCase{"trigger_pushy", {}, {}},
        CaptionCase{"func_wall", {}, {}}, CaptionCase{"trigger_hurt", {}, {}},
        CaptionCase{"", {}, {}},
        // Point rules do not apply to brush entities.
        CaptionCase{"monster_ogre", {}, {}}, CaptionCase{"light", {}, {}}));

TEST(FlagLabels, EveryClassStartsFromTheTemplateCaptions) {
    // A door relabels bits and sounds; the next class must not inherit any.
    BrushEntityCaptions door = MakeBrushFlagLabels("func_door");
    ASSERT_NE(door.flags, kTemplateFlags);
    BrushEntityCaptions wall = MakeBrushFlagLabels("func_wall");
    EXPECT_EQ(wall.flags, kTemplateFlags);
    EXPECT_EQ(wall.sounds, kTemplateSounds);
}

TEST(FlagLabels, SkillBoxesAreNeverRelabelled) {
    for (const char* name : {"func_door", "item_sigil", "trigger_secret", "monster_dog"}) {
        SpawnflagCaptions point = MakePointFlagLabels(name);
        SpawnflagCaptions brush = MakeBrushFlagLabels(name).flags;
        for (int box = kClassFlagBoxCount; box < kSpawnflagBoxCount; ++box) {
            EXPECT_EQ(point[box], kTemplateFlags[box]) << name;
            EXPECT_EQ(brush[box], kTemplateFlags[box]) << name;
        }
    }
}

TEST(FlagLabels, BoxesStandForTheirBitsWhateverTheirCaption) {
    // The "Gold Key" caption sits on the box of bit 8.
    SpawnflagCaptions door = MakeBrushFlagLabels("func_door").flags;
    EXPECT_EQ(door[3], "Gold Key");
    EXPECT_EQ(GetSpawnflagBit(3), 8);
    EXPECT_EQ(GetSpawnflagBit(0), 1);
    EXPECT_EQ(GetSpawnflagBit(7), 128);
    EXPECT_EQ(GetSpawnflagBit(8), 256);
    EXPECT_EQ(GetSpawnflagBit(11), 2048);
}

} // namespace
