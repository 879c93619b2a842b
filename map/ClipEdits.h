#pragma once

#include "map/BrushClip.h"
#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"

#include <string>

class CMapEdits;

struct ClipRequest {
    ClipPlane plane;
    ClipSide side = ClipSide::kFront;
    ClipTexture texture = ClipTexture::kCurrent;
    std::string currentTexture;
};

// The parts each brush of the set would keep, worked out without changing the
// map; for the preview and for the cut itself.
struct ClippedBrush {
    CModelEntity* owner = nullptr; // null: the world
    CMapBrush* brush = nullptr;
    ClipResult result;
};
std::vector<ClippedBrush> ClipBrushesOfSet(const CTolveDoc& doc, const CSelectionSet& set,
                                           const ClipRequest& request);

// The first brush that cannot be cut, as a sentence naming it ("Brush 3 of
// brush entity 2 (func_door) would have no volume."); empty when all can.
std::string DescribeClipRefusal(const CTolveDoc& doc, const std::vector<ClippedBrush>& clipped);

// Gives each brush the part it keeps; with both sides kept, the back part
// goes right after it in the same owner's list and joins `kept`, which holds
// every brush the cut left. Call only when DescribeClipRefusal is empty.
void ApplyClip(CMapEdits& edits, CTolveDoc& doc, const std::vector<ClippedBrush>& clipped,
               CSelectionSet& kept);
