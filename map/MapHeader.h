#pragma once

#include "map/MapFormat.h"

#include <string>
#include <string_view>

// The comment lines that head a map file, before its first entity: other
// editors write there what they need to recognise the map again
// ("// Game: Quake", "// Format: Valve").

// The lines of `text` up to the first that holds more than a comment, without
// their line ends and without the blank lines after the last comment, joined
// by '\n'. Empty when the text does not start with a comment.
std::string ReadMapHeader(std::string_view text);

// The game a header names ("// Game: Half-Life"); Quake when it names none or
// one Tolve does not know.
MapGame FindGameInHeader(std::string_view header);

// A header line naming the form ("// Format: Standard", "// Format: Valve")
// restated for the form the map is saved in; any other line as it is.
std::string RestateFormatLine(std::string_view line, MapFormat format);
