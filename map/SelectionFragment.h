#pragma once

#include "map/MapFragment.h"

class CTolveDoc;

// Whether the mode's selection is something Copy can take: a brush in brush
// mode, a point entity in entity mode.
bool HasCopyableSelection(const CTolveDoc& doc);

// Copies of the selected object, ready to be written as map text: a world
// brush inside a world entity, an entity's brush inside a copy of its keys, a
// point entity as it is. Empty when nothing copyable is selected.
MapFragment FragmentOfSelection(const CTolveDoc& doc);
