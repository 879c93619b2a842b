#pragma once

#include "map/MapFormat.h"

class CTolveDoc;

// Reads the generated map of `brushes` brushes into the empty `doc`. What the
// reader reports about it is dropped: a benchmark wants the map.
void ReadGeneratedMap(CTolveDoc& doc, int brushes, MapFormat format = MapFormat::kStandard);
