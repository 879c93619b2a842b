#pragma once

#include <string_view>

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Text without a leading UTF-8 byte-order mark, which some editors on other
// systems write at the start of every file: it is no part of the text, and
// read as such it is an invisible word.
inline std::string_view SkipUtf8Mark(std::string_view text) {
    if (text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    return text;
}
