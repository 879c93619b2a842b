#pragma once

#include "map/CMapBrush.h"

#include <string>

// A face is flat when every corner lies in the plane through its first three,
// the plane the file keeps for it. First three corners on one line span no
// plane at all, so such a face is not flat either.
bool IsFaceFlat(const CMapBrush& brush, int face);

int CountNonFlatFaces(const CMapBrush& brush);

// What the status bar says after an edit left `count` (1 or more) faces of a
// brush not flat.
std::string DescribeNonFlatFaces(int count);
