#include "map/EntityKeyEdits.h"

#include "entity/EntityDefinitions.h"
#include "entity/EntityFields.h"
#include "framework/FieldMessages.h"
#include "map/CMapEdits.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"
#include "map/EntityFieldTransfer.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <variant>

namespace {

constexpr const char* kClassKey = "classname";
constexpr const char* kSpawnflagsKey = "spawnflags";
constexpr const char* kStyleKey = "style";
constexpr const char* kWorldTypeKey = "worldtype";

// ---- Gathering --------------------------------------------------------------

const std::string* FindValue(const CustomPairList& pairs, const std::string& key) {
    for (const CustomPair& pair : pairs) {
        if (pair.key == key)
            return &pair.value;
    }
    return nullptr;
}

CustomPairList ListWorldKeys(const CTolveDoc& doc) {
    WorldFields fields;
    LoadFromWorld(fields, doc);
    CustomPairList pairs{{kClassKey, "worldspawn"}};
    auto add = [&](const char* key, const std::string& value) {
        if (!value.empty())
            pairs.push_back({key, value});
    };
    add("message", fields.text[WorldField::kTitle]);
    if (doc.m_worldType >= 0)
        add(kWorldTypeKey, std::to_string(doc.m_worldType));
    add("sounds", fields.text[WorldField::kCdTrack]);
    add("light", fields.text[WorldField::kLight]);
    for (const CustomPair& pair : doc.m_worldOtherPairs)
        pairs.push_back(pair);
    return pairs;
}

// The bits a class sets on a new entity.
std::string DefaultFlags(const EntityClassDefinition& definition) {
    uint32_t bits = 0;
    for (const FlagDefinition& flag : definition.flags) {
        if (flag.onByDefault)
            bits |= flag.bit;
    }
    return std::to_string(bits);
}

// Puts the class's keys after "classname", in the class's order; those no
// entity has show their default.
std::vector<GatheredKey> OrderByClass(std::vector<GatheredKey> gathered,
                                      const EntityClassDefinition& definition) {
    std::vector<GatheredKey> ordered;
    auto take = [&](const std::string& key, const std::string& absentValue,
                    const KeyDefinition* declared) {
        auto found = std::find_if(gathered.begin(), gathered.end(),
                                  [&](const GatheredKey& row) { return row.key == key; });
        if (found == gathered.end()) {
            ordered.push_back({key, absentValue, false, false, declared});
            return;
        }
        found->definition = declared;
        ordered.push_back(std::move(*found));
        gathered.erase(found);
    };
    take(kClassKey, definition.name, nullptr);
    for (const KeyDefinition& key : definition.keys)
        take(key.name, key.defaultValue, &key);
    if (!definition.flags.empty())
        take(kSpawnflagsKey, DefaultFlags(definition), nullptr);
    for (GatheredKey& rest : gathered)
        ordered.push_back(std::move(rest));
    return ordered;
}

// ---- Changing ---------------------------------------------------------------

// A row of a dialog's Custom boxes or of its "Other keys" table.
struct RowRef {
    std::string* key;
    std::string* value;
};

template <class Fields, class Field>
std::vector<RowRef> RowsOf(Fields& fields, Field key1, Field value1, Field key2, Field value2) {
    std::vector<RowRef> rows{{&fields.text[key1], &fields.text[value1]},
                             {&fields.text[key2], &fields.text[value2]}};
    for (FieldPair& pair : fields.otherKeys)
        rows.push_back({&pair.key, &pair.value});
    return rows;
}

// Sets the first row of the key, empties its other rows (an empty row is
// dropped), and adds a row when there is none. A key with a box of its own
// then moves into it.
template <class Fields>
void SetRow(Fields& fields, std::vector<RowRef> rows, const std::string& key,
            const std::string& value) {
    bool set = false;
    for (RowRef row : rows) {
        if (*row.key != key)
            continue;
        *row.value = set ? std::string() : value;
        if (set)
            row.key->clear();
        set = true;
    }
    if (!set)
        fields.otherKeys.push_back({key, value});
    MoveBoxKeysIntoBoxes(fields);
}

template <class Fields>
void RemoveRows(Fields& fields, std::vector<RowRef> rows, const std::string& key) {
    for (RowRef row : rows) {
        if (*row.key == key) {
            row.key->clear();
            row.value->clear();
        }
    }
    // A key with a box: the empty box leaves it out.
    fields.otherKeys.push_back({key, std::string()});
    MoveBoxKeysIntoBoxes(fields);
    std::erase_if(fields.otherKeys, [&](const FieldPair& pair) { return pair.key == key; });
}

std::optional<uint16_t> ParseFlags(const std::string& value, std::string& problem) {
    if (value.empty())
        return 0;
    std::optional<int32_t> number = ParseWholeInteger(value);
    if (!number || *number < 0 || *number > UINT16_MAX) {
        problem = "The \"spawnflags\" key takes the sum of the flags set. " +
                  DescribeIntegerRange(0, UINT16_MAX);
        return std::nullopt;
    }
    return static_cast<uint16_t>(*number);
}

std::optional<int32_t> ParseRanged(const std::string& value, int32_t low, int32_t high,
                                   std::string& problem) {
    std::optional<int32_t> number = ParseWholeInteger(value);
    if (!number || *number < low || *number > high) {
        problem = DescribeIntegerRange(low, high);
        return std::nullopt;
    }
    return number;
}

// What a key set or removed comes to on one entity: the value it is given,
// none for a removal.
struct KeyValue {
    const std::string& key;
    const std::string* value; // null: the key goes
};

// The keys a point or brush entity's dialog has, changed by one key. The
// spawnflags and a point entity's light style are set directly, as their
// boxes and buttons would; every other key as a row of the "Other keys"
// table, so that the dialog's rules judge it.
template <class Fields, class Entity, class Field>
std::optional<std::string> ChangeDialogKeys(Entity& entity, const KeyValue& change, EntityKind kind,
                                            std::array<Field, 4> rowFields) {
    Fields fields;
    LoadFromEntity(fields, entity);
    const Fields loaded = fields;
    const auto rows = [&] {
        return RowsOf(fields, rowFields[0], rowFields[1], rowFields[2], rowFields[3]);
    };
    std::string problem;
    std::optional<uint16_t> flags;
    std::optional<int32_t> style;
    const std::string empty;
    const std::string& value = change.value ? *change.value : empty;
    if (change.key == kSpawnflagsKey) {
        if (!(flags = ParseFlags(value, problem)))
            return problem;
    } else if (kind == EntityKind::kPoint && change.key == kStyleKey) {
        if (!(style = value.empty() ? 0 : ParseRanged(value, 0, UINT8_MAX, problem)))
            return problem;
    } else if (change.value) {
        SetRow(fields, rows(), change.key, value);
    } else if (kind == EntityKind::kPoint && change.key == "origin") {
        return std::string("A point entity stands at its \"origin\", which it keeps. Move the "
                           "entity in a view to change it.");
    } else {
        RemoveRows(fields, rows(), change.key);
    }
    if (auto refusal = FindUnstorableText(fields, &loaded))
        return refusal->message;
    StoreToEntity(fields, entity);
    if (flags) {
        entity.m_spawnflags = *flags;
        entity.m_keptTexts.Forget(kSpawnflagsKey);
    }
    if constexpr (requires { entity.m_style; }) {
        if (style) {
            entity.m_style = static_cast<uint8_t>(*style);
            entity.m_keptTexts.Forget(kStyleKey);
        }
    }
    return std::nullopt;
}

std::optional<std::string> ChangeKeys(CPointEntity& entity, const KeyValue& change) {
    using enum PointField;
    return ChangeDialogKeys<PointEntityFields>(
        entity, change, EntityKind::kPoint,
        std::array{kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2});
}

std::optional<std::string> ChangeKeys(CModelEntityKeys& entity, const KeyValue& change) {
    using enum ModelField;
    return ChangeDialogKeys<ModelEntityFields>(
        entity, change, EntityKind::kBrush,
        std::array{kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2});
}

std::optional<WorldField> WorldBoxOf(const std::string& key) {
    if (key == "message")
        return WorldField::kTitle;
    if (key == "light")
        return WorldField::kLight;
    if (key == "sounds")
        return WorldField::kCdTrack;
    return std::nullopt;
}

std::optional<std::string> ChangeWorldPairs(CustomPairList& pairs, const KeyValue& change) {
    if (change.value && change.value->find('"') != std::string::npos)
        return std::string("A map cannot hold a double quote (\"). Remove it from the value.");
    bool set = false;
    std::erase_if(pairs, [&](CustomPair& pair) {
        if (pair.key != change.key)
            return false;
        if (!change.value || set)
            return true;
        pair.value = *change.value;
        set = true;
        return false;
    });
    if (change.value && !set)
        pairs.push_back({change.key, *change.value});
    return std::nullopt;
}

// The world's dialog has boxes for its title, light and CD track; "worldtype"
// is its radio group. Its class and "wad" are not keys it holds.
std::optional<std::string> ChangeKeys(CWorldKeys& world, const KeyValue& change) {
    if (change.key == kClassKey)
        return std::string("The world's class is always \"worldspawn\".");
    if (change.key == "wad")
        return std::string("The \"wad\" key names the map's texture files. Choose them with "
                           "Textures... instead.");
    const std::string value = change.value ? *change.value : std::string();
    if (change.key == kWorldTypeKey) {
        std::string problem;
        std::optional<int32_t> type =
            value.empty() ? -1 : ParseRanged(value, 0, kWorldTypeButtonCount - 1, problem);
        if (!type)
            return problem;
        world.m_worldType = static_cast<int16_t>(*type);
        world.m_worldKeptTexts.Forget(kWorldTypeKey);
        return std::nullopt;
    }
    std::optional<WorldField> box = WorldBoxOf(change.key);
    if (!box)
        return ChangeWorldPairs(world.m_worldOtherPairs, change);
    WorldFields fields;
    LoadFromWorld(fields, world);
    const WorldFields loaded = fields;
    fields.text[*box] = value;
    if (auto refusal = FindUnstorableText(fields, &loaded))
        return refusal->message;
    StoreToWorld(fields, world);
    return std::nullopt;
}

// Keys without a box of a dialog: the class's declaration says what they hold.
std::optional<std::string> CheckDeclaredValue(const KeyDefinition* declared, const std::string& key,
                                              const std::string& value) {
    if (!declared || value.empty())
        return std::nullopt;
    const std::string& type = declared->type;
    if ((type == "integer" || type == "float") && !IsNumberText(value))
        return "The \"" + key + "\" key takes a number, such as 90 or -1.5, and \"" + value +
               "\" is not one.";
    if (type == "color1" || type == "color255") {
        std::string rest = value;
        std::replace(rest.begin(), rest.end(), ' ', '\n');
        size_t numbers = 0;
        bool all = true;
        for (size_t begin = 0; begin < rest.size();) {
            size_t end = std::min(rest.find('\n', begin), rest.size());
            if (end > begin) {
                ++numbers;
                all = all && IsNumberText(rest.substr(begin, end - begin));
            }
            begin = end + 1;
        }
        if (!all || numbers < 3 || numbers > 4)
            return "The \"" + key + "\" key takes a colour of three numbers, such as \"1 0.5 0\".";
    }
    return std::nullopt;
}

// The entities' keys after the change, each beside its entity; refused as a
// whole at the first entity that cannot take it.
struct ChangedKeys {
    std::vector<std::pair<CPointEntity*, CPointEntity>> points;
    std::vector<std::pair<CModelEntity*, CModelEntityKeys>> models;
    std::optional<CWorldKeys> world;
};

template <class Keys>
std::optional<std::string> ChangeCopy(Keys& keys, std::span<const KeyValue> steps) {
    for (const KeyValue& step : steps) {
        if (auto problem = ChangeKeys(keys, step))
            return problem;
    }
    return std::nullopt;
}

// The entity's keys after the steps, kept in `changed` when they differ.
std::optional<std::string> ChangeEntity(const CTolveDoc& doc, const KeyedEntity& entity,
                                        std::span<const KeyValue> steps, ChangedKeys& changed) {
    std::optional<std::string> problem;
    if (entity.point) {
        CPointEntity keys = *entity.point;
        if (!(problem = ChangeCopy(keys, steps)) && !(keys == *entity.point))
            changed.points.emplace_back(entity.point, std::move(keys));
    } else if (entity.model) {
        const CModelEntityKeys& before = *entity.model;
        CModelEntityKeys keys = before;
        if (!(problem = ChangeCopy(keys, steps)) && !(keys == before))
            changed.models.emplace_back(entity.model, std::move(keys));
    } else {
        const CWorldKeys& before = doc;
        CWorldKeys world = before;
        if (!(problem = ChangeCopy(world, steps)) && !(world == before))
            changed.world = std::move(world);
    }
    return problem;
}

void StoreChanged(CMapEdits& edits, const ChangedKeys& changed) {
    for (const auto& [entity, keys] : changed.points)
        edits.SetPointEntityKeys(*entity, keys);
    for (const auto& [entity, keys] : changed.models)
        edits.SetModelEntityKeys(*entity, keys);
    if (changed.world)
        edits.SetWorldKeys(*changed.world);
}

std::optional<std::string> CheckKeyName(const std::string& key) {
    if (key.empty())
        return std::string("A key needs a name. Type one in the key cell.");
    if (key.find('"') != std::string::npos)
        return std::string("A map cannot hold a double quote (\"). Remove it from the key.");
    return std::nullopt;
}

} // namespace

std::vector<KeyedEntity> ListKeyedEntities(const CTolveDoc& doc, const CSelectionSet& set,
                                           EditMode mode) {
    std::vector<KeyedEntity> entities;
    if (mode == kEntityMode) {
        for (const auto& entity : doc.GetPointEntities()) {
            if (set.Contains(*entity))
                entities.push_back({entity.get(), nullptr});
        }
    } else if (mode == kBrushMode) {
        bool world = false;
        ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush&, uint64_t) {
            if (!owner)
                world = true;
            else if (entities.empty() || entities.back().model != owner)
                entities.push_back({nullptr, owner});
        });
        if (world && entities.empty())
            entities.push_back({});
    }
    return entities;
}

CustomPairList ListEntityKeys(const CTolveDoc& doc, const KeyedEntity& entity) {
    if (entity.point)
        return CMapWriter::ListKeys(*entity.point);
    if (entity.model)
        return CMapWriter::ListKeys(*entity.model);
    return ListWorldKeys(doc);
}

const EntityClassDefinition* FindSharedClass(const CTolveDoc& doc,
                                             std::span<const KeyedEntity> entities) {
    const CEntityDefinitions* definitions = doc.GetEntityDefinitions();
    if (!definitions || entities.empty())
        return nullptr;
    auto classOf = [&](const KeyedEntity& entity) -> std::string {
        if (entity.point)
            return entity.point->m_classname;
        return entity.model ? entity.model->m_classname : std::string("worldspawn");
    };
    const std::string name = classOf(entities.front());
    for (const KeyedEntity& entity : entities) {
        if (classOf(entity) != name)
            return nullptr;
    }
    return definitions->Find(name);
}

std::vector<GatheredKey> GatherEntityKeys(const CTolveDoc& doc,
                                          std::span<const KeyedEntity> entities) {
    std::vector<CustomPairList> lists;
    for (const KeyedEntity& entity : entities)
        lists.push_back(ListEntityKeys(doc, entity));
    std::vector<GatheredKey> gathered;
    for (const CustomPairList& list : lists) {
        for (const CustomPair& pair : list) {
            if (std::none_of(gathered.begin(), gathered.end(),
                             [&](const GatheredKey& row) { return row.key == pair.key; }))
                gathered.push_back({pair.key, pair.value});
        }
    }
    for (GatheredKey& row : gathered) {
        row.differs = std::any_of(lists.begin(), lists.end(), [&](const CustomPairList& list) {
            const std::string* value = FindValue(list, row.key);
            return !value || *value != row.value;
        });
        if (row.differs)
            row.value.clear();
    }
    if (const EntityClassDefinition* definition = FindSharedClass(doc, entities))
        return OrderByClass(std::move(gathered), *definition);
    // The class first, wherever the file wrote it.
    std::stable_partition(gathered.begin(), gathered.end(),
                          [](const GatheredKey& row) { return row.key == kClassKey; });
    return gathered;
}

std::optional<std::string> ApplyKeyChange(CMapEdits& edits, const CTolveDoc& doc,
                                          std::span<const KeyedEntity> entities,
                                          const KeyChange& change) {
    using enum KeyChange::Kind;
    const std::string& target = change.kind == kRename ? change.newKey : change.key;
    if (auto problem = CheckKeyName(target))
        return problem;
    const EntityClassDefinition* shared = FindSharedClass(doc, entities);
    const KeyDefinition* declared = shared ? shared->FindKey(target) : nullptr;
    ChangedKeys changed;
    for (const KeyedEntity& entity : entities) {
        std::optional<std::string> problem;
        if (change.kind == kSet) {
            problem = CheckDeclaredValue(declared, target, change.value);
            const KeyValue step{change.key, &change.value};
            if (!problem)
                problem = ChangeEntity(doc, entity, std::span(&step, 1), changed);
        } else {
            const CustomPairList keys = ListEntityKeys(doc, entity);
            const std::string* value = FindValue(keys, change.key);
            if (!value || (change.kind == kRename && change.newKey == change.key))
                continue;
            // A renamed key goes, and the new key takes its value.
            const KeyValue steps[] = {{change.key, nullptr}, {change.newKey, value}};
            const size_t count = change.kind == kRename ? 2 : 1;
            if (change.kind == kRename)
                problem = CheckDeclaredValue(declared, target, *value);
            if (!problem)
                problem = ChangeEntity(doc, entity, std::span(steps, count), changed);
        }
        if (problem)
            return problem;
    }
    StoreChanged(edits, changed);
    return std::nullopt;
}
