#pragma once

#include "map/CMapFragment.h"

#include <optional>
#include <string>
#include <string_view>

// Map text from elsewhere (the clipboard) read into a fragment, or why it
// cannot be pasted: the reader's first problem with its line, or that the text
// holds no map objects. A text with a problem gives no fragment at all, so
// nothing half-read reaches a map.
struct PastedMapText {
    CMapFragment fragment;
    std::optional<std::string> problem;
};

inline constexpr const char* kNoMapObjects = "The clipboard holds no map objects";

PastedMapText ReadPastedMapText(std::string_view text);
