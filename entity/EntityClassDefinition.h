#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a mod's definition files say of its entity classes: FGD files
// ("@PointClass base(Monster) size(...) color(...) = name : "Text" [ keys ]")
// and the QuakeC comments of .def and .qc files ("/*QUAKED name (r g b)
// (mins) (maxs) FLAG ... */"). The editor offers the classes in its entity
// dialogs and draws point entities with their size and colour.

struct DefinitionColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const DefinitionColour&, const DefinitionColour&) = default;
};

struct DefinitionPoint {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    friend bool operator==(const DefinitionPoint&, const DefinitionPoint&) = default;
};

// The box of a point class around its origin.
struct DefinitionSize {
    DefinitionPoint mins;
    DefinitionPoint maxs;
    friend bool operator==(const DefinitionSize&, const DefinitionSize&) = default;
};

// One entry of a "choices" key: the value written to the map and its caption.
struct KeyChoice {
    std::string value;
    std::string caption;
    friend bool operator==(const KeyChoice&, const KeyChoice&) = default;
};

// A key a class declares.
struct KeyDefinition {
    std::string name;
    std::string type;         // as written, in lower case: "string", "integer", "choices"...
    std::string caption;      // the short description
    std::string defaultValue; // as written; empty when none is given
    std::string description;  // the long one, if any
    std::vector<KeyChoice> choices;
    friend bool operator==(const KeyDefinition&, const KeyDefinition&) = default;
};

// One bit of "spawnflags".
struct FlagDefinition {
    uint32_t bit = 0; // 1, 2, 4...
    std::string caption;
    bool onByDefault = false;
    std::string description;
    friend bool operator==(const FlagDefinition&, const FlagDefinition&) = default;
};

enum class EntityClassKind { kPoint, kBrush };

// A class as the editor uses it, its bases already folded in: keys and flags
// of the bases come first, a class's own declaration of a key or a flag bit
// replaces the inherited one in place.
struct EntityClassDefinition {
    EntityClassKind kind = EntityClassKind::kPoint;
    std::string name;
    std::string description;
    std::optional<DefinitionSize> size;     // point classes only
    std::optional<DefinitionColour> colour; // what the views draw it in
    std::vector<KeyDefinition> keys;        // "spawnflags" is not among them
    std::vector<FlagDefinition> flags;      // in bit order
    std::string file;                       // where it was defined
    int line = 0;                           // counted from 1

    const KeyDefinition* FindKey(std::string_view key) const;
    // The caption of a spawnflags bit, or nothing.
    const FlagDefinition* FindFlag(uint32_t bit) const;
};
