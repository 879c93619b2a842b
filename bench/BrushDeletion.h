#pragma once

#include "map/CTolveDoc.h"

#include <cstddef>
#include <memory>

// The map edits beside the large-map generator, whose face record shares a
// name with theirs: Delete of the selected brush and putting it back.
std::unique_ptr<CMapBrush> DeleteSelectedBrush(CTolveDoc& doc);
void RestoreWorldBrush(CTolveDoc& doc, std::unique_ptr<CMapBrush> brush, size_t index);
