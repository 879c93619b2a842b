#pragma once

#include "app/CommandEntry.h"

// View > Hide Selection (H), Show All (Shift+H) and Isolate Selection
// (Ctrl+Shift+H): objects put out of sight for a while, as if beyond the
// limits. They change what is shown, not the map, so they are no undo steps.
// View > Layers shows the layers dock.
void AddHideCommands(CommandEntries& entries);
