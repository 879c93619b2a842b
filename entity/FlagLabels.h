#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The spawnflag check boxes of the entity dialogs stand for bits 1, 2, 4, ...
// 2048 in this order; the first eight are captioned after the entity class,
// the last four always name the skill levels they hide the entity in.
inline constexpr int kSpawnflagBoxCount = 12;
inline constexpr int kClassFlagBoxCount = 8;
// Numbered sound buttons of the brush entity dialog; "No Sound" is not one.
inline constexpr int kSoundButtonCount = 4;

using SpawnflagCaptions = std::array<std::string, kSpawnflagBoxCount>;
using SoundCaptions = std::array<std::string, kSoundButtonCount>;

// Bit of the spawnflags word the check box at `boxIndex` (0..11) stands for,
// whatever its caption says.
constexpr uint16_t GetSpawnflagBit(int boxIndex) {
    return static_cast<uint16_t>(1u << boxIndex);
}

struct BrushEntityCaptions {
    SpawnflagCaptions flags;
    SoundCaptions sounds; // button i still writes the number i + 1
};

// The check box captions a point entity of this class shows. Any text may be
// passed: a class in neither list, or nothing, gets the plain bit numbers.
SpawnflagCaptions MakePointFlagLabels(std::string_view className);
// The check box and sound button captions a brush entity of this class shows.
BrushEntityCaptions MakeBrushFlagLabels(std::string_view className);

struct EntityClassDefinition;
// The captions a class of a mod's definitions gives its bits and the sound
// buttons (from a "sounds" key with choices); the skill boxes keep theirs
// unless the class names those bits too. A class the definitions lack (null)
// shows the plain numbers.
BrushEntityCaptions MakeDefinedFlagLabels(const EntityClassDefinition* definition);
