#pragma once

#include "app/CommandEntry.h"

// What a drag moves: corners, faces, brushes or entities. The mode is the
// document's, shared by all its views.
void AddEditModeCommands(CommandEntries& entries);
