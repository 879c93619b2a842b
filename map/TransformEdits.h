#pragma once

#include "map/BrushTransform.h"
#include "map/CEditorState.h"
#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"

#include <optional>
#include <string>
#include <vector>

class CMapEdits;

// One brush of a set as a free transform would leave it, worked out without
// changing the map.
struct TransformedBrush {
    CMapBrush* brush = nullptr;
    TransformProblem problem = TransformProblem::kNone;
    CMapBrush result;
};

// The set's brushes in map order, each as the transform would leave it, with
// the map's texture lock; in a Valve map a standard brush takes axes first,
// as it is saved with them.
std::vector<TransformedBrush> TransformBrushesOfSet(const CTolveDoc& doc, const CSelectionSet& set,
                                                    const BrushTransform& transform);

// The first brush that cannot take the transform, as a sentence naming it
// ("The world, brush 3 would have no volume; nothing was changed."); empty
// when all can.
std::string DescribeTransformRefusal(const CTolveDoc& doc,
                                     const std::vector<TransformedBrush>& transformed);

// Gives each brush its result and transforms the set's point entities. Call
// only when DescribeTransformRefusal is empty. Returns how many brushes are
// now saved through plane points with decimals.
size_t ApplyTransform(CMapEdits& edits, const CSelectionSet& set,
                      const std::vector<TransformedBrush>& transformed,
                      const BrushTransform& transform);

// The middle of the box around the set's objects, which a transform turns
// and scales about unless told otherwise; none for an empty set.
std::optional<Vec3d> CentreOfSet(const CSelectionSet& set, EditMode mode);
