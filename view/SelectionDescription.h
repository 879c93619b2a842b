#pragma once

#include "map/CTolveDoc.h"

#include <string>

// What the status bar says of the hovered object of the edit mode: its kind,
// class or texture and size in world units, for example
// "func_door brush 2 of 3 · 64 × 8 × 128 · metal2_4" or
// "light · 200 96 0 · light 300", in UTF-8. Empty when nothing is hovered.
std::string DescribeHover(const CTolveDoc& doc);

// The selection set in the same words: "12 brushes selected · 512 × 256 × 128".
// Empty when the set is.
std::string DescribeSelectionSet(const CTolveDoc& doc);

// Both, the set after the hovered object.
std::string DescribeSelection(const CTolveDoc& doc);
