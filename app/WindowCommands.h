#pragma once

#include "app/CommandEntry.h"

// New Window, Cascade, Tile, Arrange Icons, the toolbar and status bar
// switches, and the panes.
void AddWindowCommands(CommandEntries& entries);
