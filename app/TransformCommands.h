#pragma once

#include "app/CommandEntry.h"

// Edit > Transform... (Ctrl+M): moves, turns and scales the selected brushes
// and point entities by typed amounts, as one step; refused with a message
// naming the brush when a result could not be a brush.
void AddTransformCommands(CommandEntries& entries);
