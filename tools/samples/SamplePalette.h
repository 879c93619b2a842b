#pragma once

#include <cstdint>
#include <string>

namespace samples {

// The sample palette is 16 ramps of 16 shades each, darkest first, so a
// texture is drawn by choosing a ramp and a brightness level.
enum class Ramp : uint8_t {
    kGrey,
    kWood,
    kEarth,
    kSand,
    kBrick,
    kRust,
    kGold,
    kMoss,
    kSlime,
    kTeal,
    kWater,
    kSky,
    kViolet,
    kSkin,
    kSteel,
    kFire,
};

inline constexpr int kRampCount = 16;
inline constexpr int kRampLevels = 16;
inline constexpr int kPaletteFileSize = 1024;

// The palette index of `level` (clamped to 0..15) of `ramp`.
constexpr uint8_t Shade(Ramp ramp, int level) {
    int clamped = level < 0 ? 0 : (level >= kRampLevels ? kRampLevels - 1 : level);
    return static_cast<uint8_t>(static_cast<int>(ramp) * kRampLevels + clamped);
}

// The palette file: 256 records of red, green, blue (6-bit intensities) and a
// spare byte that is always 0.
std::string MakeSamplePalette();

} // namespace samples
