#pragma once

#include "app/CommandEntry.h"

// How the active view looks at the map: its plane, 3D and flipped modes,
// scrolling, zoom and Frame Map.
void AddNavigationCommands(CommandEntries& entries);
