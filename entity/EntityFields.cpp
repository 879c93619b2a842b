#include "entity/EntityFields.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace {

constexpr const char* kPointBoxNames[kPointFieldCount] = {
    "Classname",      "Angle",     "Light",        "Mangle x",       "Mangle y",
    "Mangle z",       "Nextthink", "Custom key 1", "Custom value 1", "Custom key 2",
    "Custom value 2", "Target",    "Targetname",   "Killtarget",     "Message"};

constexpr const char* kModelBoxNames[kModelFieldCount] = {
    "Classname",    "Speed",          "Wait",   "Lip",        "Dmg",          "Health",
    "Delay",        "Height",         "Angle",  "Count",      "Custom key 1", "Custom value 1",
    "Custom key 2", "Custom value 2", "Target", "Targetname", "Killtarget",   "Message",
    "Map",          "Sound"};

constexpr const char* kWorldBoxNames[kWorldFieldCount] = {"Title", "Default Light Level",
                                                          "CD Track"};

constexpr const char* kPointBoxKeys[kPointFieldCount] = {
    "classname", "angle", "light", "mangle", "mangle",     "mangle",     "nextthink", nullptr,
    nullptr,     nullptr, nullptr, "target", "targetname", "killtarget", "message"};

constexpr const char* kModelBoxKeys[kModelFieldCount] = {
    "classname", "speed",      "wait",       "lip",     "dmg",   "health", "delay",
    "height",    "angle",      "count",      nullptr,   nullptr, nullptr,  nullptr,
    "target",    "targetname", "killtarget", "message", "map",   "sounds"};

using enum PointField;

constexpr PointField kPointNumbers[] = {kAngle, kLight, kMangleX, kMangleY, kMangleZ, kNextthink};
constexpr ModelField kModelNumbers[] = {
    ModelField::kSpeed,  ModelField::kWait,  ModelField::kLip,    ModelField::kDmg,
    ModelField::kHealth, ModelField::kDelay, ModelField::kHeight, ModelField::kAngle,
    ModelField::kCount,  ModelField::kSound};
constexpr WorldField kWorldNumbers[] = {WorldField::kLight, WorldField::kCdTrack};

bool HasQuote(const std::string& text) {
    return text.find('"') != std::string::npos;
}

std::string QuoteMessage(const std::string& boxName) {
    return "A map cannot hold a double quote (\"). Remove it from the \"" + boxName + "\" box.";
}

template <class Field, size_t N>
std::optional<CFieldProblem<Field>> FindQuote(const CFieldTexts<Field, N>& texts,
                                              const std::vector<FieldPair>* otherKeys) {
    for (size_t i = 0; i < N; ++i) {
        if (HasQuote(texts.texts[i])) {
            Field field = static_cast<Field>(i);
            return CFieldProblem<Field>{field, 0, QuoteMessage(GetBoxName(field))};
        }
    }
    if (!otherKeys)
        return std::nullopt;
    for (size_t row = 0; row < otherKeys->size(); ++row) {
        const FieldPair& pair = (*otherKeys)[row];
        if (HasQuote(pair.key) || HasQuote(pair.value))
            return CFieldProblem<Field>{std::nullopt, row, QuoteMessage("Other keys")};
    }
    return std::nullopt;
}

template <class Field, size_t N>
bool IsTyped(const CFieldTexts<Field, N>& texts, const CFieldTexts<Field, N>* loaded, Field field) {
    return !loaded || texts[field] != (*loaded)[field];
}

template <class Field, size_t N, size_t M>
std::optional<CFieldProblem<Field>> FindNonNumber(const CFieldTexts<Field, N>& texts,
                                                  const CFieldTexts<Field, N>* loaded,
                                                  const Field (&numbers)[M]) {
    for (Field field : numbers) {
        const std::string& text = texts[field];
        if (text.empty() || !IsTyped(texts, loaded, field) || IsNumberText(text))
            continue;
        return CFieldProblem<Field>{field, 0,
                                    std::string("The \"") + GetBoxName(field) +
                                        "\" box takes a number, such as 90 or -1.5, and \"" + text +
                                        "\" is not one."};
    }
    return std::nullopt;
}

template <class Field, size_t N>
std::optional<CFieldProblem<Field>> FindMissingClass(const CFieldTexts<Field, N>& texts) {
    if (!texts[Field::kClassname].empty())
        return std::nullopt;
    return CFieldProblem<Field>{Field::kClassname, 0,
                                "An entity needs a class name. Type one in the \"Classname\" box "
                                "or choose one from its list."};
}

// All three numbers of Mangle or none; what the map gave, as it gave it.
std::optional<CFieldProblem<PointField>> FindPartMangle(const PointEntityFields& fields,
                                                        const PointEntityFields* loaded) {
    const PointField boxes[] = {kMangleX, kMangleY, kMangleZ};
    const auto* before = loaded ? &loaded->text : nullptr;
    const bool typed = std::any_of(std::begin(boxes), std::end(boxes),
                                   [&](PointField f) { return IsTyped(fields.text, before, f); });
    const auto filled = std::count_if(std::begin(boxes), std::end(boxes),
                                      [&](PointField f) { return !fields.text[f].empty(); });
    if (!typed || filled == 0 || filled == 3)
        return std::nullopt;
    const PointField empty = *std::find_if(std::begin(boxes), std::end(boxes),
                                           [&](PointField f) { return fields.text[f].empty(); });
    return CFieldProblem<PointField>{
        empty, 0,
        std::string("Mangle takes three numbers or none. Fill in the \"") + GetBoxName(empty) +
            "\" box, or empty the other Mangle boxes to leave the key out."};
}

// What sets a key the entity writes from something other than a text box.
const char* OwnerOfKey(EntityKind kind, std::string_view key) {
    if (key == "spawnflags")
        return "the Spawnflags boxes";
    if (kind == EntityKind::kPoint && key == "style")
        return "the Style buttons";
    if (kind == EntityKind::kPoint && key == "origin")
        return "moving the entity in a view";
    return nullptr;
}

std::string RowKeyMessage(const std::string& key, const char* owner) {
    return "The \"" + key + "\" key is set by " + owner +
           ", so a row cannot set it too. Remove the row.";
}

template <class Field, class Fields>
std::optional<CFieldProblem<Field>> FindOwnedRowKey(EntityKind kind, const Fields& fields,
                                                    Field key1, Field key2) {
    for (Field field : {key1, key2}) {
        if (const char* owner = OwnerOfKey(kind, fields.text[field]))
            return CFieldProblem<Field>{field, 0, RowKeyMessage(fields.text[field], owner)};
    }
    for (size_t row = 0; row < fields.otherKeys.size(); ++row) {
        const std::string& key = fields.otherKeys[row].key;
        if (const char* owner = OwnerOfKey(kind, key))
            return CFieldProblem<Field>{std::nullopt, row, RowKeyMessage(key, owner)};
    }
    return std::nullopt;
}

// The keys of the Custom rows and the "Other keys" rows, in order; empty rows
// are left out. Each comes with its place: a Custom key box, or a table row.
template <class Field, class Fields>
std::vector<std::pair<std::string, CFieldProblem<Field>>> RowKeys(const Fields& fields, Field key1,
                                                                  Field key2) {
    std::vector<std::pair<std::string, CFieldProblem<Field>>> keys;
    for (Field field : {key1, key2}) {
        if (!fields.text[field].empty())
            keys.push_back({fields.text[field], CFieldProblem<Field>{field, 0, {}}});
    }
    for (size_t row = 0; row < fields.otherKeys.size(); ++row) {
        if (!fields.otherKeys[row].key.empty())
            keys.push_back(
                {fields.otherKeys[row].key, CFieldProblem<Field>{std::nullopt, row, {}}});
    }
    return keys;
}

// A key is written once: a row may not give a key another row gives, unless
// the map already gave it twice (what it gave is kept, not judged).
template <class Field, class Fields>
std::optional<CFieldProblem<Field>> FindRepeatedRowKey(const Fields& fields, const Fields* loaded,
                                                       Field key1, Field key2) {
    const auto keys = RowKeys(fields, key1, key2);
    const auto loadedKeys = loaded ? RowKeys(*loaded, key1, key2) : decltype(keys){};
    auto count = [](const auto& list, const std::string& key) {
        return std::count_if(list.begin(), list.end(),
                             [&](const auto& entry) { return entry.first == key; });
    };
    for (auto entry = keys.rbegin(); entry != keys.rend(); ++entry) {
        const auto now = count(keys, entry->first);
        if (now < 2 || now <= count(loadedKeys, entry->first))
            continue;
        CFieldProblem<Field> problem = entry->second;
        problem.message = "The \"" + entry->first +
                          "\" key is given in two rows, and an entity holds one value of a key. "
                          "Remove one of the rows.";
        return problem;
    }
    return std::nullopt;
}

// The boxes a row's key names, by the key table of the dialog's kind.
template <class Field, size_t N>
std::vector<Field> BoxesOfKey(const char* const (&keys)[N], const std::string& key) {
    std::vector<Field> boxes;
    for (size_t i = 0; i < N; ++i) {
        if (keys[i] && key == keys[i])
            boxes.push_back(static_cast<Field>(i));
    }
    return boxes;
}

// Puts a row's value into its boxes: one box takes it whole, the three Mangle
// boxes a number each, split at spaces.
template <class Field, size_t N>
void FillBoxes(CFieldTexts<Field, N>& texts, const std::vector<Field>& boxes,
               std::string_view value) {
    if (boxes.size() == 1) {
        texts[boxes[0]] = std::string(value);
        return;
    }
    for (Field box : boxes) {
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        const size_t end = std::min(value.find(' '), value.size());
        texts[box] = std::string(value.substr(0, end));
        value.remove_prefix(end);
    }
}

template <class Field, class Fields, size_t N>
bool MoveRows(Fields& fields, const char* const (&keys)[N], Field key1, Field value1, Field key2,
              Field value2) {
    bool moved = false;
    for (auto [key, value] : {std::pair{key1, value1}, std::pair{key2, value2}}) {
        const std::vector<Field> boxes = BoxesOfKey<Field>(keys, fields.text[key]);
        if (boxes.empty())
            continue;
        FillBoxes(fields.text, boxes, fields.text[value]);
        fields.text[key].clear();
        fields.text[value].clear();
        moved = true;
    }
    auto& rows = fields.otherKeys;
    for (auto row = rows.begin(); row != rows.end();) {
        const std::vector<Field> boxes = BoxesOfKey<Field>(keys, row->key);
        if (boxes.empty()) {
            ++row;
            continue;
        }
        FillBoxes(fields.text, boxes, row->value);
        row = rows.erase(row);
        moved = true;
    }
    return moved;
}

} // namespace

bool IsNumberText(const std::string& text) {
    std::string_view rest = text;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
        rest.remove_prefix(1);
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    const size_t whole = std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin();
    rest.remove_prefix(whole);
    size_t fraction = 0;
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        fraction = std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin();
        rest.remove_prefix(fraction);
    }
    return rest.empty() && whole + fraction > 0;
}

const char* GetBoxKey(PointField field) {
    return kPointBoxKeys[static_cast<size_t>(field)];
}

const char* GetBoxKey(ModelField field) {
    return kModelBoxKeys[static_cast<size_t>(field)];
}

bool MoveBoxKeysIntoBoxes(PointEntityFields& fields) {
    return MoveRows(fields, kPointBoxKeys, kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2);
}

bool MoveBoxKeysIntoBoxes(ModelEntityFields& fields) {
    return MoveRows(fields, kModelBoxKeys, ModelField::kCustomKey1, ModelField::kCustomValue1,
                    ModelField::kCustomKey2, ModelField::kCustomValue2);
}

const char* GetBoxName(PointField field) {
    return kPointBoxNames[static_cast<size_t>(field)];
}

const char* GetBoxName(ModelField field) {
    return kModelBoxNames[static_cast<size_t>(field)];
}

const char* GetBoxName(WorldField field) {
    return kWorldBoxNames[static_cast<size_t>(field)];
}

std::optional<CFieldProblem<PointField>> FindUnstorableText(const PointEntityFields& fields,
                                                            const PointEntityFields* loaded) {
    const auto* before = loaded ? &loaded->text : nullptr;
    if (auto problem = FindQuote(fields.text, &fields.otherKeys))
        return problem;
    if (auto problem = FindMissingClass(fields.text))
        return problem;
    if (auto problem = FindNonNumber(fields.text, before, kPointNumbers))
        return problem;
    if (auto problem = FindPartMangle(fields, loaded))
        return problem;
    if (auto problem = FindOwnedRowKey(EntityKind::kPoint, fields, kCustomKey1, kCustomKey2))
        return problem;
    return FindRepeatedRowKey(fields, loaded, kCustomKey1, kCustomKey2);
}

std::optional<CFieldProblem<ModelField>> FindUnstorableText(const ModelEntityFields& fields,
                                                            const ModelEntityFields* loaded) {
    if (auto problem = FindQuote(fields.text, &fields.otherKeys))
        return problem;
    if (auto problem = FindMissingClass(fields.text))
        return problem;
    if (auto problem = FindNonNumber(fields.text, loaded ? &loaded->text : nullptr, kModelNumbers))
        return problem;
    if (auto problem = FindOwnedRowKey(EntityKind::kBrush, fields, ModelField::kCustomKey1,
                                       ModelField::kCustomKey2))
        return problem;
    return FindRepeatedRowKey(fields, loaded, ModelField::kCustomKey1, ModelField::kCustomKey2);
}

std::optional<CFieldProblem<WorldField>> FindUnstorableText(const WorldFields& fields,
                                                            const WorldFields* loaded) {
    if (auto problem = FindQuote(fields.text, nullptr))
        return problem;
    return FindNonNumber(fields.text, loaded ? &loaded->text : nullptr, kWorldNumbers);
}
