#pragma once

#include "map/CEditorState.h"
#include "map/CustomPair.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class CMapEdits;
class CModelEntity;
class CPointEntity;
class CSelectionSet;
class CTolveDoc;
struct EntityClassDefinition;
struct KeyDefinition;

// The entity inspector's keys, as plain values: the keys of several entities
// side by side, and one change of a key made on all of them. Every change is
// checked by the rules of the entity dialogs, so the inspector can store
// nothing the dialogs would refuse.

// One entity whose keys are shown: a point entity, a brush entity, or, with
// neither, the world.
struct KeyedEntity {
    CPointEntity* point = nullptr;
    CModelEntity* model = nullptr;

    bool IsWorld() const { return !point && !model; }
    friend bool operator==(const KeyedEntity&, const KeyedEntity&) = default;
};

// The entities of the selection: the point entities in entity mode; in brush
// mode the brush entities owning selected brushes, or the world when only its
// brushes are selected. In map order.
std::vector<KeyedEntity> ListKeyedEntities(const CTolveDoc& doc, const CSelectionSet& set,
                                           EditMode mode);

// Every pair the entity is written with, in the order of its lines. The world
// shows its class and its own keys, not "wad", which names the texture files.
CustomPairList ListEntityKeys(const CTolveDoc& doc, const KeyedEntity& entity);

// The class of the definitions every one of the entities has; null when they
// differ or the definitions do not know it.
const EntityClassDefinition* FindSharedClass(const CTolveDoc& doc,
                                             std::span<const KeyedEntity> entities);

// One row of the inspector.
struct GatheredKey {
    std::string key;
    std::string value;    // the value all the entities share; empty when it differs
    bool differs = false; // some entity has another value, or none
    // False for a key the class declares and no entity has: `value` is then
    // its default.
    bool present = true;
    const KeyDefinition* definition = nullptr; // the declaration of the shared class
};

// The keys of the entities: "classname" first, then the keys the shared class
// declares (with "spawnflags" when it has flags), then every other key in the
// order the entities give them.
std::vector<GatheredKey> GatherEntityKeys(const CTolveDoc& doc,
                                          std::span<const KeyedEntity> entities);

struct KeyChange {
    enum class Kind { kSet, kRemove, kRename };
    Kind kind = Kind::kSet;
    std::string key;
    std::string value;  // kSet
    std::string newKey; // kRename: the value goes to this key

    static KeyChange Set(std::string key, std::string value) {
        return {Kind::kSet, std::move(key), std::move(value), {}};
    }
    static KeyChange Remove(std::string key) { return {Kind::kRemove, std::move(key), {}, {}}; }
    static KeyChange Rename(std::string key, std::string newKey) {
        return {Kind::kRename, std::move(key), {}, std::move(newKey)};
    }
};

// Makes the change on every entity that it changes, through `edits`. A change
// one of them cannot take is refused before anything changes, with the
// message the entity dialogs give; an entity lacking the key of a removal or
// a renaming is left alone. A key set that an entity has is set in place,
// never written twice.
std::optional<std::string> ApplyKeyChange(CMapEdits& edits, const CTolveDoc& doc,
                                          std::span<const KeyedEntity> entities,
                                          const KeyChange& change);
