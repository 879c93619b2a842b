#pragma once

#include <string>
#include <vector>

class CTolveDoc;

// A brush the reader keeps as written (over 32 faces or 64 corners, or no
// volume) is written as it was read, so one read with Valve faces stays Valve
// in a map written in the standard form. Each such brush as "the world, brush
// 3", counted from 1 within its owner as the faces without a standard texture
// are.
std::vector<std::string> FindKeptValveBrushes(const CTolveDoc& doc);
