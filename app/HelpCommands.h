#pragma once

#include "app/CommandEntry.h"

// About.
void AddHelpCommands(CommandEntries& entries);
