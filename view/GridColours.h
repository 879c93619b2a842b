#pragma once

#include "view/CCanvas.h"

#include <cstdint>

// The grid's colours: a line at every snap step, and a darker one at every
// eighth.
inline constexpr Rgb kGridMinor{228, 228, 228};
inline constexpr Rgb kGridMajor{196, 196, 196};
// The line at every eighth step for a chosen colour of the others: as much
// darker as the default's.
constexpr Rgb MajorGridColour(Rgb minor) {
    auto darker = [](uint8_t channel, uint8_t from, uint8_t to) {
        return static_cast<uint8_t>(channel * to / from);
    };
    return {darker(minor.r, kGridMinor.r, kGridMajor.r),
            darker(minor.g, kGridMinor.g, kGridMajor.g),
            darker(minor.b, kGridMinor.b, kGridMajor.b)};
}
static_assert(MajorGridColour(kGridMinor) == kGridMajor);

// Lines closer than this many pixels are not drawn.
inline constexpr int32_t kGridMinSpacing = 4;
