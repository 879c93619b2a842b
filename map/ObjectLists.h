#pragma once

#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/MapFragment.h"
#include "map/MapNotice.h"

#include <cstddef>
#include <memory>
#include <optional>

class CTolveDoc;

// Putting objects into the map's lists and taking them out, with what the
// views must hear and the selection must let go of. The map edits and the
// history's records share these; neither records anything here.
// `index` is where the object goes, or where it was; past the end appends.

void PutBrush(CTolveDoc& doc, CModelEntity* owner, std::unique_ptr<CMapBrush> brush, size_t& index);
std::unique_ptr<CMapBrush> TakeBrush(CTolveDoc& doc, CModelEntity* owner, CMapBrush& brush,
                                     size_t& index);
void PutPointEntity(CTolveDoc& doc, std::unique_ptr<CPointEntity> entity, size_t& index);
std::unique_ptr<CPointEntity> TakePointEntity(CTolveDoc& doc, CPointEntity& entity, size_t& index);
// A brush entity comes and goes with its brushes.
void PutModelEntity(CTolveDoc& doc, std::unique_ptr<CModelEntity> entity, size_t& index);
std::unique_ptr<CModelEntity> TakeModelEntity(CTolveDoc& doc, CModelEntity& entity, size_t& index);
// Moves a brush from its place in one owner's list (none: the world) to
// `toIndex` in another's; `fromIndex` learns where it was. A selected brush
// stays selected, with its new owner.
bool MoveBrushBetween(CTolveDoc& doc, CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                      size_t& fromIndex, size_t toIndex);

// The lists themselves, for the operations above; the document lends them
// to nobody else.
BrushList& BrushesOf(CTolveDoc& doc, CModelEntity* owner);
PointEntityList& PointEntitiesOf(CTolveDoc& doc);
ModelEntityList& ModelEntitiesOf(CTolveDoc& doc);

// What the views redraw for an object that was in `before` and is in `after`
// now: the box around both, or everything when neither is known.
MapNotice AreaNotice(std::optional<IntBox> before, const std::optional<IntBox>& after);

// Trades everything the map file holds with `other`; see
// CMapEdits::ExchangeContents. The texture catalogue follows the map's "wad",
// quietly.
void ExchangeContents(CTolveDoc& doc, MapFragment& other);
