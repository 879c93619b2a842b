#pragma once

#include "app/CommandEntry.h"

// Edit and Delete act on the selection; the limits and the insertion point
// are set from the view's cursor point.
void AddSelectionCommands(CommandEntries& entries);
