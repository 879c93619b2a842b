#pragma once

#include "app/CommandEntry.h"

#include <cstdint>

// How far from the pointer the hover may pick an object, in pixels (0: no
// limit, the default); one setting for every map, "Selection/PickDistance".
int32_t LoadPickDistance();
void StorePickDistance(int32_t pixels);
void AddPickDistanceCommand(CommandEntries& entries);
