#pragma once

#include "app/CommandEntry.h"

class CMapTransaction;
class CSelectionSet;

// Delete: the selection set, or the hovered object the view shows; brushes in
// brush mode, point entities in entity mode, nothing in the other modes. A
// brush entity goes with its last brush.
void DeleteSelection(const CommandContext& context);
// Deletes `objects` inside a transaction of the caller's.
void DeleteObjects(CMapTransaction& transaction, const CSelectionSet& objects);
