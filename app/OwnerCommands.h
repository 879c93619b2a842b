#pragma once

#include "app/CommandEntry.h"

// Move to Entity and Move to World: the brushes of the selection (or the
// hovered brush the view shows) change owner in one step.
void AddOwnerCommands(CommandEntries& entries);
