#pragma once

#include "app/CommandEntry.h"

// New Entity.
void AddEntityCommands(CommandEntries& entries);

// Edit: the selected point entity's dialog in entity mode; nothing otherwise.
void EditSelection(const CommandContext& context);
