#pragma once

#include "app/CommandEntry.h"

// View > Load Point File... and Clear Point File: a compiler's leak trace drawn
// over the map in every view.
void AddPointFileCommands(CommandEntries& entries);
