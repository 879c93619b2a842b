#pragma once

#include "app/CommandEntry.h"

// New Entity.
void AddEntityCommands(CommandEntries& entries);
