#pragma once

#include "framework/FileError.h"
#include "framework/UserMessage.h"
#include "map/MapFormat.h"

#include <cstddef>
#include <string>

// What the user reads when a map file cannot be opened or saved.
UserMessage DescribeReadFailure(const FileError& error);
UserMessage DescribeSaveFailure(const FileError& error);

// The one line that tells of brushes read with plane points that are not
// whole numbers ("3 brushes keep fractional points as written; they are
// rounded to whole numbers when edited").
std::string DescribeFractionalBrushes(size_t count);

// What the user is told on opening another game's map: which game, and that
// Tolve opens it read-only.
UserMessage DescribeOtherGameMap(const std::string& title, MapGame game);
