#pragma once

#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"
#include "map/IntPoint.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

// When a key with a field of its own is written.
enum class KeyWritten : uint8_t {
    kAlways,
    kIfPresent,     // its presence flag is set
    kIfNotEmpty,    // a text that is set
    kIfNotZero,     // a number that is not 0
    kIfNotNegative, // "worldtype": -1 is "not set"
    kNever,         // read only ("entityclass")
};

template <class Entity>
using KeyField = std::variant<std::string Entity::*, int16_t Entity::*, uint16_t Entity::*,
                              uint8_t Entity::*, IntPoint Entity::*>;

// One key of one kind of entity: its name, its field, when it is written and
// how. The reader, the writer and the save check all go by these tables, in
// their order, which is the order of writing.
template <class Entity> struct KeyRule {
    const char* name;
    KeyField<Entity> field;
    KeyWritten written;
    bool Entity::*present = nullptr;
    // "nextthink": the 16-bit field is widened with its sign and written
    // unsigned, so -1 comes out as 4294967295.
    bool widenedUnsigned = false;
    // The rule holds for this entity (the "message" of "trigger_setskill" is
    // a number); null means always.
    bool (*appliesTo)(const Entity&) = nullptr;

    bool AppliesTo(const Entity& entity) const { return !appliesTo || appliesTo(entity); }
};

std::span<const KeyRule<CPointEntity>> PointEntityKeys();
std::span<const KeyRule<CModelEntityKeys>> ModelEntityKeys();
std::span<const KeyRule<CWorldKeys>> WorldKeys();

// The first rule named `key` that holds for `entity`, or null.
template <class Entity>
const KeyRule<Entity>* FindKeyRule(std::span<const KeyRule<Entity>> rules, const Entity& entity,
                                   const char* key);

extern template const KeyRule<CPointEntity>* FindKeyRule(std::span<const KeyRule<CPointEntity>>,
                                                         const CPointEntity&, const char*);
extern template const KeyRule<CModelEntityKeys>*
FindKeyRule(std::span<const KeyRule<CModelEntityKeys>>, const CModelEntityKeys&, const char*);
extern template const KeyRule<CWorldKeys>* FindKeyRule(std::span<const KeyRule<CWorldKeys>>,
                                                       const CWorldKeys&, const char*);
