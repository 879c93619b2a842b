#pragma once

#include "entity/FlagLabels.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the entity dialogs edit, as plain values: the text of every box, the
// state of every check box and the index of the chosen radio button. The
// dialogs only move these to and from their controls; the rules that turn
// them into map keys live beside the map model.

// The two kinds of entity the dialogs edit: one standing at a point, or one
// made of brushes.
enum class EntityKind { kPoint, kBrush };

// One row of the "Other keys" table.
struct FieldPair {
    std::string key;
    std::string value;

    friend bool operator==(const FieldPair&, const FieldPair&) = default;
};

using SpawnflagChecks = std::array<bool, kSpawnflagBoxCount>;

// No radio button of the group is chosen.
inline constexpr int kNoButton = -1;

enum class PointField {
    kClassname,
    kAngle,
    kLight,
    kMangleX,
    kMangleY,
    kMangleZ,
    kNextthink,
    kCustomKey1,
    kCustomValue1,
    kCustomKey2,
    kCustomValue2,
    kTarget,
    kTargetname,
    kKilltarget,
    kMessage,
    kCount
};

enum class ModelField {
    kClassname,
    kSpeed,
    kWait,
    kLip,
    kDmg,
    kHealth,
    kDelay,
    kHeight,
    kAngle,
    kCount,
    kCustomKey1,
    kCustomValue1,
    kCustomKey2,
    kCustomValue2,
    kTarget,
    kTargetname,
    kKilltarget,
    kMessage,
    kMap,
    kSound,
    kFieldCount
};

enum class WorldField { kTitle, kLight, kCdTrack, kCount };

inline constexpr size_t kPointFieldCount = static_cast<size_t>(PointField::kCount);
inline constexpr size_t kModelFieldCount = static_cast<size_t>(ModelField::kFieldCount);
inline constexpr size_t kWorldFieldCount = static_cast<size_t>(WorldField::kCount);
inline constexpr int kStyleButtonCount = 12;
inline constexpr int kSkillButtonCount = 4;
inline constexpr int kWorldTypeButtonCount = 3;

template <class Field, size_t N> struct CFieldTexts {
    std::array<std::string, N> texts{};

    std::string& operator[](Field field) { return texts[static_cast<size_t>(field)]; }
    const std::string& operator[](Field field) const { return texts[static_cast<size_t>(field)]; }
};

// The "Entity Variables" dialog's values. A new record has every text empty,
// every box clear and no style chosen.
struct PointEntityFields {
    CFieldTexts<PointField, kPointFieldCount> text;
    SpawnflagChecks spawnflags{};
    int style = kNoButton;
    std::vector<FieldPair> otherKeys; // the pairs after the two Custom rows
};

// The "Model Entity Variables" dialog's values.
struct ModelEntityFields {
    CFieldTexts<ModelField, kModelFieldCount> text;
    SpawnflagChecks spawnflags{};
    int skill = kNoButton;
    std::vector<FieldPair> otherKeys;
};

// The "Worldspawn Entity" dialog's values.
struct WorldFields {
    CFieldTexts<WorldField, kWorldFieldCount> text;
    int worldType = kNoButton;
};

// The name a message gives each box.
const char* GetBoxName(PointField field);
const char* GetBoxName(ModelField field);
const char* GetBoxName(WorldField field);

// A text the map cannot hold, and the box it is in.
template <class Field> struct CFieldProblem {
    std::optional<Field> field; // none: a row of the "Other keys" table
    size_t otherRow = 0;
    std::string message;
};

// What OK refuses, the first of these found:
// - a double quote anywhere (a map text cannot hold one);
// - an empty class name;
// - a box the game reads as a number holding anything but an integer or a
//   decimal, sign allowed;
// - Mangle filled in partly;
// - a row of the Custom boxes or the "Other keys" table whose key the entity
//   writes from boxes that cannot take the row's value (its spawnflags, light
//   style or origin);
// - a row giving a key another row gives (a key is written once), unless the
//   map gave it that many times.
// Boxes whose text is as `loaded` (the values the dialog was opened with) are
// not held to the number rules: what the map said is shown and kept, even
// where a box cannot hold it ("mangle" "10 20", "wait" "0.5"). Without
// `loaded` every box counts as typed.
std::optional<CFieldProblem<PointField>>
FindUnstorableText(const PointEntityFields& fields, const PointEntityFields* loaded = nullptr);
std::optional<CFieldProblem<ModelField>>
FindUnstorableText(const ModelEntityFields& fields, const ModelEntityFields* loaded = nullptr);
std::optional<CFieldProblem<WorldField>> FindUnstorableText(const WorldFields& fields,
                                                            const WorldFields* loaded = nullptr);

// Whether a text is a number as the game reads one: an integer or a decimal
// ("-12", "0.5", ".5", "+3."), nothing around it.
bool IsNumberText(const std::string& text);

// The map key a box edits; null for the Custom rows. Each Mangle box edits a
// third of "mangle".
const char* GetBoxKey(PointField field);
const char* GetBoxKey(ModelField field);

// A row of the Custom boxes or of the "Other keys" table whose key has a box
// of its own ("angle" under Other keys while the Angle box is there) would be
// written twice: its value moves into that box and the row goes. True when a
// row moved.
bool MoveBoxKeysIntoBoxes(PointEntityFields& fields);
bool MoveBoxKeysIntoBoxes(ModelEntityFields& fields);
