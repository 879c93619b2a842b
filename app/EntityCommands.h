#pragma once

#include "app/CommandEntry.h"

// New Entity.
void AddEntityCommands(CommandEntries& entries);

// Edit: "Brush & Face Edit" in brush and face mode, the selected point
// entity's dialog in entity mode; nothing without a selection.
void EditSelection(const CommandContext& context);
