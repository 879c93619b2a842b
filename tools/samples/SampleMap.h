#pragma once

#include <string>

namespace samples {

// The name the demo map gives its texture file in the world's "wad" key.
inline constexpr const char* kSampleWadName = "quake101.wad";

// The demo map: two halls joined by a corridor with a door, lit, with a few
// monsters and items. Uses only textures of the sample texture file.
std::string MakeSampleMap();

} // namespace samples
