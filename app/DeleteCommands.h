#pragma once

#include "app/CommandEntry.h"

class CMapTransaction;

// Delete: the selected brush in brush mode, the selected point entity in
// entity mode; nothing in the other modes or when nothing is selected. A
// brush entity goes with its last brush.
void DeleteSelection(const CommandContext& context);
// The same inside a transaction of the caller's.
void DeleteSelection(CMapTransaction& transaction);
