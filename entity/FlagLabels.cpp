#include "entity/FlagLabels.h"

#include "entity/EntityDefinitions.h"

#include <vector>

namespace {

// One caption a rule sets: the box of a spawnflag bit or a numbered sound button.
struct CaptionSetting {
    enum Control { Flag, Sound };
    Control control;
    unsigned number; // the bit value (1..128) or the sound number (1..4)
    const char* caption;
};

CaptionSetting Bit(unsigned value, const char* caption) {
    return {CaptionSetting::Flag, value, caption};
}
CaptionSetting Sound(unsigned number, const char* caption) {
    return {CaptionSetting::Sound, number, caption};
}

// A class test and the captions it sets when it matches. After its own
// captions, a rule applies the first of its refinements that matches too.
struct CaptionRule {
    enum Test { Equals, BeginsWith, DiffersFrom };
    Test test;
    std::vector<std::string_view> names; // Equals: any of them; the others use one
    std::vector<CaptionSetting> captions;
    std::vector<CaptionRule> refinements;

    bool Matches(std::string_view className) const {
        switch (test) {
        case Equals:
            for (std::string_view name : names) {
                if (className == name)
                    return true;
            }
            return false;
        case BeginsWith:
            return className.starts_with(names.front());
        case DiffersFrom:
            return className != names.front();
        }
        return false;
    }
};

const std::vector<CaptionRule>& GetPointCaptionRules() {
    static const std::vector<CaptionRule> rules = {
        {CaptionRule::Equals,
         {"item_cells", "item_rockets", "item_shells", "item_spikes"},
         {Bit(1, "Big")},
         {}},
        {CaptionRule::Equals, {"monster_zombie"}, {Bit(1, "Crucified")}, {}},
        {CaptionRule::BeginsWith, {"monster_"}, {Bit(1, "Ambush")}, {}},
        {CaptionRule::Equals, {"item_health"}, {Bit(1, "Rotten"), Bit(2, "Megahealth")}, {}},
        {CaptionRule::Equals,
         {"item_sigil"},
         {Bit(1, "E1"), Bit(2, "E2"), Bit(4, "E3"), Bit(8, "E4")},
         {}},
        {CaptionRule::Equals, {"light"}, {Bit(1, "Starts off")}, {}},
        {CaptionRule::BeginsWith, {"trap_"}, {Bit(1, "Superspike"), Bit(2, "Laser")}, {}},
    };
    return rules;
}

const std::vector<CaptionRule>& GetBrushCaptionRules() {
    static const std::vector<CaptionRule> rules = {
        {CaptionRule::Equals,
         {"func_episodegate"},
         {Bit(1, "E1"), Bit(2, "E2"), Bit(4, "E3"), Bit(8, "E4")},
         {}},
        {CaptionRule::Equals, {"trigger_changelevel"}, {Bit(1, "No Intermission")}, {}},
        {CaptionRule::Equals, {"trigger_teleport"}, {Bit(1, "Player Only"), Bit(2, "Silent")}, {}},
        {CaptionRule::BeginsWith,
         {"func_door"},
         {Sound(1, "Stone"), Sound(2, "Base"), Sound(3, "Stone Chain"), Sound(4, "Screechy Metal")},
         {
             {CaptionRule::Equals,
              {"func_door"},
              {Bit(1, "Toggle"), Bit(2, "Start Open"), Bit(4, "Door Don't Link"),
               Bit(8, "Gold Key"), Bit(16, "Silver Key")},
              {}},
             {CaptionRule::Equals,
              {"func_door_secret"},
              {Bit(1, "Open Once"), Bit(2, "1st Left"), Bit(4, "1st Down"), Bit(8, "No Shoot"),
               Bit(16, "Always Shoot")},
              {}},
         }},
        {CaptionRule::Equals, {"func_plat"}, {Sound(1, "Base Fast"), Sound(2, "Chain Slow")}, {}},
        {CaptionRule::Equals, {"func_train"}, {Sound(1, "Ratchet Metal")}, {}},
        {CaptionRule::Equals,
         {"func_button"},
         {Sound(1, "Steam Metal"), Sound(2, "Wooden Clunk"), Sound(3, "Metallic Click"),
          Sound(4, "In-Out")},
         {}},
        {CaptionRule::Equals,
         {"trigger_once", "trigger_multiple", "trigger_onlyregistered", "trigger_secret"},
         {Sound(1, "Secret Sound"), Sound(2, "Beep Beep"), Bit(1, "No Touch")},
         {
             {CaptionRule::DiffersFrom,
              {"trigger_secret"},
              {Sound(3, "Large Switch"), Sound(4, "Message=text?")},
              {}},
         }},
        {CaptionRule::Equals, {"trigger_counter"}, {Bit(1, "No Message")}, {}},
        {CaptionRule::Equals, {"trigger_push"}, {Bit(1, "Push Once")}, {}},
    };
    return rules;
}

// The captions of the dialog templates, which every relabelling starts from.
BrushEntityCaptions MakeTemplateCaptions() {
    return {{"1", "2", "4", "8", "16", "32", "64", "128", "Not In Easy", "Not In Medium",
             "Not In Hard", "Not In Deathmatch"},
            {"1", "2", "3", "4"}};
}

int FlagBoxIndex(unsigned bitValue) {
    int index = 0;
    while ((1u << index) != bitValue)
        ++index;
    return index;
}

void ApplyRule(const CaptionRule& rule, std::string_view className, BrushEntityCaptions& captions) {
    for (const CaptionSetting& setting : rule.captions) {
        if (setting.control == CaptionSetting::Flag)
            captions.flags[FlagBoxIndex(setting.number)] = setting.caption;
        else
            captions.sounds[setting.number - 1] = setting.caption;
    }
    for (const CaptionRule& refinement : rule.refinements) {
        if (refinement.Matches(className)) {
            ApplyRule(refinement, className, captions);
            break;
        }
    }
}

BrushEntityCaptions ApplyFirstMatchingRule(const std::vector<CaptionRule>& rules,
                                           std::string_view className) {
    BrushEntityCaptions captions = MakeTemplateCaptions();
    for (const CaptionRule& rule : rules) {
        if (rule.Matches(className)) {
            ApplyRule(rule, className, captions);
            break;
        }
    }
    return captions;
}

} // namespace

SpawnflagCaptions MakePointFlagLabels(std::string_view className) {
    return ApplyFirstMatchingRule(GetPointCaptionRules(), className).flags;
}

BrushEntityCaptions MakeBrushFlagLabels(std::string_view className) {
    return ApplyFirstMatchingRule(GetBrushCaptionRules(), className);
}

BrushEntityCaptions MakeDefinedFlagLabels(const EntityClassDefinition* definition) {
    BrushEntityCaptions captions = MakeTemplateCaptions();
    if (!definition)
        return captions;
    // A mod may name the skill bits its own way ("Not in Normal").
    for (int box = 0; box < kSpawnflagBoxCount; ++box) {
        const FlagDefinition* flag = definition->FindFlag(GetSpawnflagBit(box));
        if (flag && !flag->caption.empty())
            captions.flags[box] = flag->caption;
    }
    // A "sounds" key with choices names the numbers the sound buttons write.
    if (const KeyDefinition* sounds = definition->FindKey("sounds")) {
        for (const KeyChoice& choice : sounds->choices) {
            for (int number = 1; number <= kSoundButtonCount; ++number) {
                if (choice.value == std::to_string(number) && !choice.caption.empty())
                    captions.sounds[number - 1] = choice.caption;
            }
        }
    }
    return captions;
}
