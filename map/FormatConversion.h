#pragma once

#include "map/MapFragment.h"

#include <string>
#include <vector>

// Gives every face of a standard brush the axes that show its texture
// exactly; the texts the faces were read with go, as the faces are now saved
// in the Valve form. Nothing happens to a brush that has its axes.
void GiveValveAxes(CMapBrush& brush);
// Takes the axes of a Valve brush away, leaving each face the standard
// numbers of its texture (the nearest ones where none are exact; see
// FindUnconvertibleFaces). Offsets the fields cannot hold are kept as text.
void DropValveAxes(CMapBrush& brush);

// A Valve face that the standard form cannot express: its axes are no
// rotation and scaling of the axis plane nearest to it. Or, with face 0, a
// brush kept as written (too big to hold, or without volume) in the Valve
// form, whose lines are written as they are whatever the map's form.
struct UnconvertibleFace {
    std::string owner; // "the world" or "brush entity 3 (func_door)"
    int brush = 0;     // counted from 1 within its owner
    int face = 0;      // counted from 1; 0 for the whole brush
    int line = -1;     // the line it was read from, counted from 0; -1 if made here
};

// Every face the contents would lose something of if written in the standard
// form. Empty for contents without Valve faces.
std::vector<UnconvertibleFace> FindUnconvertibleFaces(const MapContents& contents);
// Every brush kept as written in the Valve form.
std::vector<UnconvertibleFace> FindKeptValveBrushes(const MapContents& contents);
// Both of these: all a map written in the standard form would not say as the
// map does.
std::vector<UnconvertibleFace> FindLossesInStandardForm(const MapContents& contents);

// One line per face ("the world, brush 12, face 3 (line 345)") or brush
// ("the world, brush 2"), at most `maxListed` of them, then how many more
// there are.
std::string DescribeUnconvertibleFaces(const std::vector<UnconvertibleFace>& faces,
                                       size_t maxListed);
