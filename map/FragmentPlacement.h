#pragma once

#include "map/IntBox.h"
#include "map/IntPoint.h"
#include "map/MapFragment.h"

#include <optional>
#include <vector>

class CMapEdits;
class CStandardFaceMemo;

// Around the corners of every brush the fragment can show and the origins of
// its point entities; nothing when it has none of these.
std::optional<IntBox> BoundsOf(const MapFragment& fragment);

// Moves every brush corner and point entity origin by `delta`. A brush kept as
// text only (too big to hold) has no corners and stays where it is. With
// `moveTextures`, the textures of Valve faces move along (texture lock).
void MoveFragment(MapFragment& fragment, IntPoint delta, bool moveTextures = false);
// The same for one brush and one point entity of a fragment, for whoever
// moves each while it makes them. The brushes of one move share a memo.
void MoveFragmentBrush(CMapBrush& brush, const IntPoint& delta, bool moveTextures,
                       CStandardFaceMemo& memo);
void MoveFragmentPointEntity(CPointEntity& entity, const IntPoint& delta);

// Hands the fragment's objects to the map through its edits: world brushes
// join the world, entities are added at the end. The world's keys are not
// taken over.
void AddFragment(CMapEdits& edits, MapFragment&& fragment);
