#include "map/EntityFieldTransfer.h"

#include "framework/TextToNumber.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <string_view>

namespace {

// Whether a text, read back from the map, gives the number the field writes.
bool GivesNumber(const std::string& text, int64_t written) {
    bool exact;
    int32_t value = ParseInt(text.c_str(), exact);
    if (exact)
        return value == written;
    double number;
    return ParseWholeDouble(text.c_str(), number) && number == static_cast<double>(written);
}

std::string FormatSigned(int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}

// A present number as its box shows it: the kept text if there is one.
std::string NumberText(const CKeptTexts& kept, const char* key, bool present, int64_t written) {
    if (const std::string* text = kept.Find(key))
        return *text;
    return present ? FormatSigned(written) : std::string();
}

int64_t WidenedUnsigned(int16_t value) {
    return static_cast<uint32_t>(int32_t{value});
}

template <class Field>
void StoreNumber(const std::string& text, Field& field, bool& present, CKeptTexts& kept,
                 const char* key, bool widenedUnsigned = false) {
    present = !text.empty();
    if (!present) {
        kept.Forget(key);
        return;
    }
    field = static_cast<Field>(ParseInt(text.c_str()));
    int64_t written = widenedUnsigned ? WidenedUnsigned(static_cast<int16_t>(field)) : field;
    if (GivesNumber(text, written))
        kept.Forget(key);
    else
        kept.Keep(key, text);
}

// A button value: a new one makes the file's text of it obsolete.
template <class Field>
void StoreChoice(int index, Field& field, CKeptTexts& kept, const char* key) {
    if (index == kNoButton)
        return;
    Field chosen = static_cast<Field>(index);
    if (chosen != field)
        kept.Forget(key);
    field = chosen;
}

void LoadChecks(SpawnflagChecks& checks, uint16_t spawnflags) {
    for (int i = 0; i < kSpawnflagBoxCount; ++i)
        checks[i] = (spawnflags & GetSpawnflagBit(i)) != 0;
}

// Bits without a box (4096 and up) are kept.
void StoreChecks(const SpawnflagChecks& checks, uint16_t& spawnflags, CKeptTexts& kept) {
    uint16_t flags = spawnflags & ~uint16_t{(1u << kSpawnflagBoxCount) - 1};
    for (int i = 0; i < kSpawnflagBoxCount; ++i) {
        if (checks[i])
            flags |= GetSpawnflagBit(i);
    }
    if (flags != spawnflags)
        kept.Forget("spawnflags");
    spawnflags = flags;
}

// The three numbers of a kept "mangle" text, split as the reader does.
std::array<std::string, 3> SplitTriple(std::string_view text) {
    std::array<std::string, 3> parts;
    for (int i = 0; i < 3; ++i) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        size_t end = i == 2 ? text.size() : text.find(' ');
        if (end == std::string_view::npos)
            end = text.size();
        parts[i] = text.substr(0, end);
        text.remove_prefix(end);
    }
    return parts;
}

template <class Field, size_t N>
void LoadRows(CFieldTexts<Field, N>& text, std::vector<FieldPair>& otherKeys,
              const CustomPairList& pairs, Field key1, Field value1, Field key2, Field value2) {
    text[key1] = pairs.size() > 0 ? pairs[0].key : "";
    text[value1] = pairs.size() > 0 ? pairs[0].value : "";
    text[key2] = pairs.size() > 1 ? pairs[1].key : "";
    text[value2] = pairs.size() > 1 ? pairs[1].value : "";
    otherKeys.clear();
    for (size_t i = 2; i < pairs.size(); ++i)
        otherKeys.push_back({pairs[i].key, pairs[i].value});
}

void AddRow(CustomPairList& pairs, const std::string& key, const std::string& value) {
    if (!key.empty() || !value.empty())
        pairs.push_back({key, value});
}

template <class Field, size_t N>
CustomPairList StoreRows(const CFieldTexts<Field, N>& text, const std::vector<FieldPair>& otherKeys,
                         Field key1, Field value1, Field key2, Field value2) {
    CustomPairList pairs;
    AddRow(pairs, text[key1], text[value1]);
    AddRow(pairs, text[key2], text[value2]);
    for (const FieldPair& row : otherKeys)
        AddRow(pairs, row.key, row.value);
    return pairs;
}

const CustomPair* FindPair(const CustomPairList& pairs, std::string_view key) {
    for (const CustomPair& pair : pairs) {
        if (pair.key == key)
            return &pair;
    }
    return nullptr;
}

// Puts the Angle and Count boxes' pairs back where they stood among the
// others, earlier one first; a new one goes at the end.
void PlaceBoxPairs(CustomPairList& pairs, const CustomPairList& before,
                   std::array<CustomPair, 2> boxPairs) {
    auto placeOf = [&](const CustomPair& pair) {
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i].key == pair.key)
                return i;
        }
        return std::numeric_limits<size_t>::max();
    };
    if (placeOf(boxPairs[1]) < placeOf(boxPairs[0]))
        std::swap(boxPairs[0], boxPairs[1]);
    for (const CustomPair& pair : boxPairs) {
        if (pair.value.empty())
            continue;
        const size_t at = std::min(placeOf(pair), pairs.size());
        pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(at), pair);
    }
}

} // namespace

void LoadFromEntity(PointEntityFields& fields, const CPointEntity& entity) {
    using enum PointField;
    auto& text = fields.text;
    const CKeptTexts& kept = entity.m_keptTexts;
    text[kClassname] = entity.m_classname;
    text[kAngle] = NumberText(kept, "angle", entity.m_hasAngle, entity.m_angle);
    text[kLight] = NumberText(kept, "light", entity.m_hasLight, entity.m_light);
    text[kNextthink] =
        NumberText(kept, "nextthink", entity.m_hasNextthink, WidenedUnsigned(entity.m_nextthink));
    if (const std::string* mangle = kept.Find("mangle")) {
        auto parts = SplitTriple(*mangle);
        text[kMangleX] = parts[0];
        text[kMangleY] = parts[1];
        text[kMangleZ] = parts[2];
    } else {
        bool has = entity.m_hasMangle;
        text[kMangleX] = has ? FormatSigned(entity.m_mangle.x) : "";
        text[kMangleY] = has ? FormatSigned(entity.m_mangle.y) : "";
        text[kMangleZ] = has ? FormatSigned(entity.m_mangle.z) : "";
    }
    LoadRows(text, fields.otherKeys, entity.m_otherPairs, kCustomKey1, kCustomValue1, kCustomKey2,
             kCustomValue2);
    text[kTarget] = entity.m_target;
    text[kTargetname] = entity.m_targetname;
    text[kKilltarget] = entity.m_killtarget;
    text[kMessage] = entity.m_message;
    LoadChecks(fields.spawnflags, entity.m_spawnflags);
    fields.style = entity.m_style;
}

namespace {

// All three numbers or none; none leaves the stored numbers as they were.
// Boxes showing what the entity has are left alone: a "mangle" of the map
// that three boxes cannot hold ("10 20") stays as it was written.
void StoreMangle(const PointEntityFields& fields, CPointEntity& entity) {
    using enum PointField;
    PointEntityFields shown;
    LoadFromEntity(shown, entity);
    const std::string* texts[3] = {&fields.text[kMangleX], &fields.text[kMangleY],
                                   &fields.text[kMangleZ]};
    if (*texts[0] == shown.text[kMangleX] && *texts[1] == shown.text[kMangleY] &&
        *texts[2] == shown.text[kMangleZ])
        return;
    entity.m_hasMangle = !texts[0]->empty() && !texts[1]->empty() && !texts[2]->empty();
    if (!entity.m_hasMangle) {
        entity.m_keptTexts.Forget("mangle");
        return;
    }
    int32_t* numbers[3] = {&entity.m_mangle.x, &entity.m_mangle.y, &entity.m_mangle.z};
    bool exact = true;
    for (int i = 0; i < 3; ++i) {
        *numbers[i] = ParseInt(texts[i]->c_str());
        exact = exact && GivesNumber(*texts[i], *numbers[i]);
    }
    if (exact)
        entity.m_keptTexts.Forget("mangle");
    else
        entity.m_keptTexts.Keep("mangle", *texts[0] + " " + *texts[1] + " " + *texts[2]);
}

} // namespace

void StoreToEntity(const PointEntityFields& given, CPointEntity& entity) {
    using enum PointField;
    PointEntityFields fields = given;
    MoveBoxKeysIntoBoxes(fields); // a key is never written twice
    const auto& text = fields.text;
    CKeptTexts& kept = entity.m_keptTexts;
    entity.m_classname = text[kClassname];
    StoreNumber(text[kAngle], entity.m_angle, entity.m_hasAngle, kept, "angle");
    StoreNumber(text[kLight], entity.m_light, entity.m_hasLight, kept, "light");
    StoreNumber(text[kNextthink], entity.m_nextthink, entity.m_hasNextthink, kept, "nextthink",
                true);
    StoreMangle(fields, entity);
    entity.m_otherPairs =
        StoreRows(text, fields.otherKeys, kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2);
    entity.m_target = text[kTarget];
    entity.m_targetname = text[kTargetname];
    entity.m_killtarget = text[kKilltarget];
    entity.m_message = text[kMessage];
    StoreChecks(fields.spawnflags, entity.m_spawnflags, kept);
    StoreChoice(fields.style, entity.m_style, kept, "style");
}

void LoadFromEntity(ModelEntityFields& fields, const CModelEntityKeys& entity) {
    using enum ModelField;
    auto& text = fields.text;
    const CKeptTexts& kept = entity.m_keptTexts;
    text[kClassname] = entity.m_classname;
    text[kSpeed] = NumberText(kept, "speed", entity.m_hasSpeed, entity.m_speed);
    text[kWait] = NumberText(kept, "wait", entity.m_hasWait, entity.m_wait);
    text[kLip] = NumberText(kept, "lip", entity.m_hasLip, entity.m_lip);
    text[kDmg] = NumberText(kept, "dmg", entity.m_hasDmg, entity.m_dmg);
    text[kHealth] = NumberText(kept, "health", entity.m_hasHealth, entity.m_health);
    text[kDelay] = NumberText(kept, "delay", entity.m_hasDelay, entity.m_delay);
    text[kHeight] = NumberText(kept, "height", entity.m_hasHeight, entity.m_height);
    text[kSound] = NumberText(kept, "sounds", entity.m_hasSounds, entity.m_sounds);
    const CustomPair* angle = FindPair(entity.m_otherPairs, kModelAngleKey);
    const CustomPair* count = FindPair(entity.m_otherPairs, kModelCountKey);
    text[kAngle] = angle ? angle->value : "";
    text[kCount] = count ? count->value : "";
    CustomPairList rows;
    for (const CustomPair& pair : entity.m_otherPairs) {
        if (&pair != angle && &pair != count)
            rows.push_back(pair);
    }
    LoadRows(text, fields.otherKeys, rows, kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2);
    text[kTarget] = entity.m_target;
    text[kTargetname] = entity.m_targetname;
    text[kKilltarget] = entity.m_killtarget;
    text[kMessage] = entity.m_message;
    text[kMap] = entity.m_map;
    LoadChecks(fields.spawnflags, entity.m_spawnflags);
    fields.skill = entity.m_skill;
}

void StoreToEntity(const ModelEntityFields& given, CModelEntityKeys& entity) {
    using enum ModelField;
    ModelEntityFields fields = given;
    MoveBoxKeysIntoBoxes(fields); // a key is never written twice
    const auto& text = fields.text;
    CKeptTexts& kept = entity.m_keptTexts;
    entity.m_classname = text[kClassname];
    StoreNumber(text[kSpeed], entity.m_speed, entity.m_hasSpeed, kept, "speed");
    StoreNumber(text[kWait], entity.m_wait, entity.m_hasWait, kept, "wait");
    StoreNumber(text[kLip], entity.m_lip, entity.m_hasLip, kept, "lip");
    StoreNumber(text[kDmg], entity.m_dmg, entity.m_hasDmg, kept, "dmg");
    StoreNumber(text[kHealth], entity.m_health, entity.m_hasHealth, kept, "health");
    StoreNumber(text[kDelay], entity.m_delay, entity.m_hasDelay, kept, "delay");
    StoreNumber(text[kHeight], entity.m_height, entity.m_hasHeight, kept, "height");
    StoreNumber(text[kSound], entity.m_sounds, entity.m_hasSounds, kept, "sounds");
    const CustomPairList before = std::move(entity.m_otherPairs);
    entity.m_otherPairs =
        StoreRows(text, fields.otherKeys, kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2);
    PlaceBoxPairs(
        entity.m_otherPairs, before,
        {CustomPair{kModelAngleKey, text[kAngle]}, CustomPair{kModelCountKey, text[kCount]}});
    entity.m_target = text[kTarget];
    entity.m_targetname = text[kTargetname];
    entity.m_killtarget = text[kKilltarget];
    entity.m_message = text[kMessage];
    entity.m_map = text[kMap];
    StoreChecks(fields.spawnflags, entity.m_spawnflags, kept);
    if (fields.skill != kNoButton) {
        uint8_t skill = static_cast<uint8_t>(fields.skill);
        // The skill of a skill trigger is written as its "message".
        if (skill != entity.m_skill && entity.m_classname == kSetSkillClass)
            kept.Forget("message");
        entity.m_skill = skill;
    }
}

void LoadFromWorld(WorldFields& fields, const CWorldKeys& world) {
    using enum WorldField;
    const CKeptTexts& kept = world.m_worldKeptTexts;
    fields.text[kTitle] = world.m_worldMessage;
    fields.text[kLight] = NumberText(kept, "light", world.m_hasWorldLight, world.m_worldLight);
    fields.text[kCdTrack] = NumberText(kept, "sounds", world.m_hasWorldSounds, world.m_worldSounds);
    fields.worldType = world.m_worldType;
}

void StoreToWorld(const WorldFields& fields, CWorldKeys& world) {
    using enum WorldField;
    CKeptTexts& kept = world.m_worldKeptTexts;
    world.m_worldMessage = fields.text[kTitle];
    StoreNumber(fields.text[kLight], world.m_worldLight, world.m_hasWorldLight, kept, "light");
    StoreNumber(fields.text[kCdTrack], world.m_worldSounds, world.m_hasWorldSounds, kept, "sounds");
    int16_t worldType = static_cast<int16_t>(fields.worldType);
    if (worldType != world.m_worldType)
        kept.Forget("worldtype");
    world.m_worldType = worldType;
}
