#pragma once

#include "map/MapFormat.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The exit statuses of `tolve-map convert`.
enum ConvertStatus : int {
    kConvertSaved = 0,
    kConvertSaveFailed = 1,
    kConvertNotOpened = 2,    // IN unreadable, no text map or another game's; or wrong arguments
    kConvertReadProblems = 3, // saved, after the read reported problems
    kConvertRefused = 4,      // faces the standard form cannot express; nothing written
};

struct ConvertOptions {
    std::string in;
    std::string out;
    std::optional<MapFormat> format; // the map's own form when not given
    bool force = false;
    bool keepLayout = false; // copy the text of IN where the map holds it unchanged
    std::vector<std::string> textureFolders;
};

// The options, or nothing with `error` saying what is wrong with them.
std::optional<ConvertOptions> ParseConvertOptions(int argc, char** argv, std::string& error);

void PrintConvertUsage(FILE* out);
