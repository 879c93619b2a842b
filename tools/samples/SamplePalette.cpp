#include "tools/samples/SamplePalette.h"

#include <array>

namespace samples {

namespace {

struct Colour {
    int red;
    int green;
    int blue;
};

// Each ramp runs from its dark colour (level 0) through its middle colour
// (level 8) to its light colour (level 15), in 6-bit intensities.
struct RampAnchors {
    Colour dark;
    Colour middle;
    Colour light;
};

constexpr std::array<RampAnchors, kRampCount> kRamps = {{
    {{0, 0, 0}, {31, 31, 31}, {60, 60, 60}},  // Grey
    {{4, 2, 1}, {30, 19, 9}, {54, 40, 24}},   // Wood
    {{3, 3, 1}, {22, 18, 11}, {44, 38, 27}},  // Earth
    {{6, 5, 3}, {34, 30, 22}, {60, 56, 44}},  // Sand
    {{5, 1, 1}, {36, 12, 8}, {60, 34, 26}},   // Brick
    {{6, 2, 0}, {42, 20, 6}, {63, 44, 20}},   // Rust
    {{6, 4, 0}, {44, 34, 6}, {63, 60, 30}},   // Gold
    {{2, 4, 1}, {18, 26, 8}, {42, 50, 26}},   // Moss
    {{1, 6, 0}, {14, 38, 6}, {40, 63, 28}},   // Slime
    {{0, 5, 5}, {8, 30, 28}, {34, 58, 54}},   // Teal
    {{1, 2, 8}, {10, 20, 42}, {36, 48, 63}},  // Water
    {{4, 7, 12}, {26, 38, 56}, {52, 58, 63}}, // Sky
    {{4, 1, 6}, {30, 12, 40}, {56, 40, 63}},  // Violet
    {{8, 4, 2}, {44, 28, 20}, {63, 50, 40}},  // Skin
    {{3, 4, 5}, {26, 28, 32}, {54, 56, 60}},  // Steel
    {{12, 2, 0}, {56, 24, 0}, {63, 63, 40}},  // Fire
}};

constexpr int kMiddleLevel = 8;

int Blend(int from, int to, int step, int steps) {
    return from + ((to - from) * step + steps / 2) / steps;
}

Colour RampColour(const RampAnchors& ramp, int level) {
    if (level <= kMiddleLevel) {
        return {Blend(ramp.dark.red, ramp.middle.red, level, kMiddleLevel),
                Blend(ramp.dark.green, ramp.middle.green, level, kMiddleLevel),
                Blend(ramp.dark.blue, ramp.middle.blue, level, kMiddleLevel)};
    }
    int step = level - kMiddleLevel;
    int steps = kRampLevels - 1 - kMiddleLevel;
    return {Blend(ramp.middle.red, ramp.light.red, step, steps),
            Blend(ramp.middle.green, ramp.light.green, step, steps),
            Blend(ramp.middle.blue, ramp.light.blue, step, steps)};
}

} // namespace

std::string MakeSamplePalette() {
    std::string bytes;
    bytes.reserve(kPaletteFileSize);
    for (const RampAnchors& ramp : kRamps) {
        for (int level = 0; level < kRampLevels; ++level) {
            Colour colour = RampColour(ramp, level);
            bytes.push_back(static_cast<char>(colour.red));
            bytes.push_back(static_cast<char>(colour.green));
            bytes.push_back(static_cast<char>(colour.blue));
            bytes.push_back('\0');
        }
    }
    return bytes;
}

} // namespace samples
