#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How the face lines of a map state their textures: offsets, rotation and
// scales on the axis plane nearest to the face, or two texture axes of their
// own (Valve 220, what most editors write today).
enum class MapFormat : uint8_t { kStandard, kValve };

// The game a map was made for. Tolve edits Quake maps; the others are read so
// that they can be looked at, and are never saved over.
enum class MapGame : uint8_t { kQuake, kQuake2, kQuake3, kHalfLife, kHexen2 };

const char* DescribeMapFormat(MapFormat format); // "standard", "Valve 220"
const char* GetGameName(MapGame game);           // "Quake", "Quake 2", ...

// "standard" or "valve", as the command line spells them.
std::optional<MapFormat> ParseMapFormatName(std::string_view name);
