#pragma once

#include "map/FormatConversion.h"

#include <cstdio>
#include <string>
#include <vector>

class CTolveDoc;

// What a map would lose if written in the standard form: the faces that have
// no standard texture, and the brushes kept as written in the Valve form.
struct StandardFormLosses {
    std::vector<UnconvertibleFace> faces;
    std::vector<UnconvertibleFace> keptBrushes;

    bool IsEmpty() const { return faces.empty() && keptBrushes.empty(); }
};

StandardFormLosses FindStandardFormLosses(const CTolveDoc& doc);

// Why the map is not written, each face and brush on a line of its own.
void PrintRefusal(const StandardFormLosses& losses, const std::string& path, FILE* out);
// What a forced conversion did with them.
void PrintForcedLosses(const StandardFormLosses& losses, FILE* out);
