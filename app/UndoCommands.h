#pragma once

#include "app/CommandEntry.h"

// Undo and Redo.
void AddUndoCommands(CommandEntries& entries);
