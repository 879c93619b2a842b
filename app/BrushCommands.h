#pragma once

#include "app/CommandEntry.h"

// New Brush, the snap step and the texture file.
void AddBrushCommands(CommandEntries& entries);
