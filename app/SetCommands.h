#pragma once

#include "app/CommandEntry.h"

// Commands on many objects at once: Select All, Duplicate, the nudges, the
// quarter turns and the mirrors. Each acts on the selection set, or on the
// hovered object the view shows when the set is empty, as one step.
void AddSetCommands(CommandEntries& entries);
