#pragma once

#include "app/CommandEntry.h"

// Edit > Preferences...: every setting in one dialog. OK writes what changed
// and every open map and view follows at once; Cancel leaves all as it was.
void AddPreferencesCommands(CommandEntries& entries);
