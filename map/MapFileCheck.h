#pragma once

#include <optional>
#include <string>

// The first thing wrong with a map file: a problem the reader reports, with
// the line a user is shown for it, or something wrong with the file as a
// whole (line 0).
struct MapFileProblem {
    int line = 0;
    std::string message;

    friend bool operator==(const MapFileProblem&, const MapFileProblem&) = default;
};

inline constexpr const char* kEmptyMapFile = "The file is empty";
inline constexpr const char* kNoWorldInMapFile = "The file holds no \"worldspawn\" entity";

// Reads a map file as opening it would, keeping nothing of it, and tells
// whether it reads cleanly. A file without any map text, or one without a
// world, counts as broken: every map the editor writes has a world.
std::optional<MapFileProblem> FindFirstMapFileProblem(const std::string& path);
