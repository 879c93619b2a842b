#pragma once

#include "map/MapFormat.h"
#include "map/MapFragment.h"

#include <optional>
#include <string>
#include <string_view>

// Map text from elsewhere (the clipboard) read into a fragment for a map of
// the given form, or why it cannot be pasted: the reader's first problem with
// its line, that the text holds no map objects, that it comes from another
// game's map, or which of its Valve faces a standard map cannot express. A
// text with a problem gives no fragment at all, so nothing half-read reaches a
// map. Brushes come in the map's form: standard faces pasted into a Valve map
// get the axes that show the same texture, and Valve faces pasted into a
// standard map the standard numbers of their axes.
struct PastedMapText {
    MapFragment fragment;
    std::optional<std::string> problem;
};

inline constexpr const char* kNoMapObjects = "The clipboard holds no map objects";

PastedMapText ReadPastedMapText(std::string_view text, MapFormat target = MapFormat::kStandard);
