#pragma once

#include "app/CommandEntry.h"

class CTolveDoc;

// File > Entity Definitions...: the FGD and QuakeC files whose classes the
// entity dialogs offer and the views draw, kept in the map.
void AddDefinitionCommands(CommandEntries& entries);

// Reads the definitions the map names, with the folders as the user keeps
// them, and tells in one message what could not be used.
void LoadEntityDefinitions(CTolveDoc& doc);
