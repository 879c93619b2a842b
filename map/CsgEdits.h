#pragma once

#include "map/BrushCsg.h"
#include "map/CSelectionSet.h"

#include <cstdint>
#include <string>
#include <vector>

class CMapEdits;
class CTolveDoc;

// What a tool of Edit > CSG did: a refusal, which leaves the map as it was,
// or the brushes it made.
struct CsgOutcome {
    std::string refusal;
    std::vector<CMapBrush*> made;
    size_t replaced = 0; // brushes that gave way to what was made
};

// Cuts `cutter` out of every other brush of the set it shares volume with;
// each becomes the pieces left outside it, in its own entity, and the cutter
// stays as it is.
CsgOutcome SubtractBrush(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                         const CMapBrush& cutter, CutOrder order = CutOrder::kLargestFirst);

// Each brush of the set becomes walls `thickness` thick inside its volume,
// one for each face.
CsgOutcome HollowBrushes(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                         int32_t thickness);

// The brushes of the set become the walls of the one space they make
// together: where it meets the outside, `thickness` thick, each wall in the
// entity of the brush it came from.
CsgOutcome HollowBrushesTogether(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                                 int32_t thickness);

// The brushes of the set become their convex hull, in the entity of the first
// in map order; refused when the hull would fill space none of them fills.
CsgOutcome MergeBrushes(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set);

// "the world, brush 3" or "brush entity 2 (func_door), brush 1", counted
// from 1 in map order.
std::string DescribeBrush(const CTolveDoc& doc, const CMapBrush& brush);
