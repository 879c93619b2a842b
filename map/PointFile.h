#pragma once

#include "map/Vec3d.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A compiler's leak trace ("NAME.pts" beside the map): the path from an
// entity out into the void, one point "x y z" per line, which the views draw
// over the map so the user sees where it is not sealed.
struct PointFile {
    std::vector<Vec3d> points;
};

// What makes a point file unreadable: the first line that is not a point.
struct PointFileProblem {
    int line = 0; // counted from 1
    std::string message;
};

// The whole-unit point nearest a point of the file, as far as a coordinate
// can reach.
IntPoint NearestPoint(const Vec3d& point);

// Lines of three numbers separated by blanks; blank lines are passed over.
// Any other line makes the whole file unusable, as a path with a point
// missing would lead the user astray.
std::optional<PointFileProblem> ParsePointFile(std::string_view text, PointFile& file);

// A leak trace holds a few hundred points; a file larger than this is none.
inline constexpr uint64_t kMaxPointFileBytes = uint64_t{64} << 20;

// Reads and parses a file; the problem names it, and the line when there is one.
std::optional<std::string> ReadPointFile(const std::string& path, PointFile& file);

// The point file a map's leak trace would be written to: beside the map, its
// name with ".pts" for ".map".
std::string PointFilePathOf(const std::string& mapPath);
