#pragma once

#include "map/CTolveDoc.h"

#include <cstdio>

// Lists, as notices, the faces of a map whose corners do not lie in one plane:
// once such a brush is edited, the file keeps the plane through each face's
// first three corners, and the brush read back differs from the one shown.
// Returns how many were listed.
int PrintFlatnessNotices(const CTolveDoc& doc, const char* path, FILE* out);
