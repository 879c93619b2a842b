#pragma once

#include "map/CEditorState.h"
#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"
#include "map/IntBox.h"
#include "map/MapFragment.h"
#include "map/PlaneTurn.h"

#include <optional>
#include <string>
#include <vector>

class CMapEdits;

// What the commands do to a set of objects of one edit mode: the selection
// set, or a set holding just the hovered object.

// Calls visit(owner, brush, parts) for each brush of the set, in map order:
// the world's brushes, then each brush entity's. `owner` is null for the
// world.
template <class Visit>
void ForEachBrushInSet(const CTolveDoc& doc, const CSelectionSet& set, Visit&& visit);

// Around every object of the set: whole brushes, chosen corners, the corners
// of chosen faces, entity origins.
std::optional<IntBox> BoundsOfSet(const CSelectionSet& set, EditMode mode);

// Moves the objects by `delta`: whole brushes, corners (the corners of faces),
// entity origins.
void MoveObjects(CMapEdits& edits, const CSelectionSet& set, EditMode mode, IntPoint delta);

// Takes the set's brushes (brush mode) or point entities (entity mode) out of
// the map. Returns the class names of brush entities that went with their
// last brush.
std::vector<std::string> DeleteObjects(CMapEdits& edits, const CTolveDoc& doc,
                                       const CSelectionSet& set, EditMode mode);

// Copies for the clipboard: the brushes of the set (in corner and face modes
// the brushes its parts belong to), each entity's inside one copy of its keys,
// and the set's point entities, all in map order.
MapFragment FragmentOfSet(const CTolveDoc& doc, const CSelectionSet& set, EditMode mode);

// Adds the fragment's objects to the map; returns those of the mode (whole
// brushes in brush mode, point entities in entity mode, else none).
CSelectionSet AddFragmentAsSet(CMapEdits& edits, CTolveDoc& doc, MapFragment&& fragment,
                               EditMode mode);

// Adds copies of the set moved by `delta`; the copies are the new set.
CSelectionSet DuplicateObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                               EditMode mode, IntPoint delta);

// The grid point a set in `box` turns about: its centre, snapped to the grid
// with a centre halfway between two grid lines going to the even one, so that
// turning or mirroring back and forth never wanders off.
IntPoint TurnCentreOf(const IntBox& box, int32_t snap);

// Turns or mirrors the set's brushes or point entities.
void TurnObjects(CMapEdits& edits, const CSelectionSet& set, EditMode mode, const PlaneTurn& turn);

// Moves the set's brushes to the brush entity `to`, or to the world (null).
// Entities left without brushes go.
void MoveBrushesToOwner(CMapEdits& edits, const CTolveDoc& doc, const CSelectionSet& set,
                        CModelEntity* to);

template <class Visit>
void ForEachBrushInSet(const CTolveDoc& doc, const CSelectionSet& set, Visit&& visit) {
    if (set.GetBrushes().empty())
        return;
    auto visitList = [&](CModelEntity* owner, const BrushList& brushes) {
        for (const auto& brush : brushes) {
            if (const uint64_t parts = set.PartsOf(*brush))
                visit(owner, *brush, parts);
        }
    };
    visitList(nullptr, doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities())
        visitList(entity.get(), entity->m_brushes);
}
