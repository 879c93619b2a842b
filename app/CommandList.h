#pragma once

#include "app/CommandEntry.h"

// Every command of the editor, gathered once from the files of each concern.
const CommandEntries& GetCommandEntries();

// The entry of a command, or null for an id that has none.
const CommandEntry* FindCommandEntry(CommandId id);
