#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

// Names the game and the texture files take in any case: "LIGHT" is "light".

inline bool SameTextInAnyCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

inline bool HoldsTextInAnyCase(std::string_view text, std::string_view part) {
    return !std::ranges::search(
                text, part,
                [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); })
                .empty() ||
           part.empty();
}
