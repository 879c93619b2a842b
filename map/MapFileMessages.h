#pragma once

#include "framework/CFileError.h"
#include "framework/CUserMessage.h"
#include "map/MapFormat.h"

#include <cstddef>
#include <string>

// What the user reads when a map file cannot be opened or saved.
CUserMessage DescribeReadFailure(const CFileError& error);
CUserMessage DescribeSaveFailure(const CFileError& error);

// The one line that tells of brushes read with plane points that are not
// whole numbers ("3 brushes keep fractional points as written; they are
// rounded to whole numbers when edited").
std::string DescribeFractionalBrushes(size_t count);

// What the user is told on opening another game's map: which game, and that
// Tolve opens it read-only.
CUserMessage DescribeOtherGameMap(const std::string& title, MapGame game);
