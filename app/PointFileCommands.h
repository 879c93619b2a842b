#pragma once

#include "app/CommandEntry.h"

#include <string>

// View > Load Point File... and Clear Point File: a compiler's leak trace drawn
// over the map in every view.
void AddPointFileCommands(CommandEntries& entries);

class CTolveDoc;

// Reads the trace at `path` into the map and its views, saying in the status
// bar how many points it has; a file that cannot be used gives one message,
// naming its line, and leaves the map's trace as it was. False then.
bool LoadPointFileIntoDocument(CTolveDoc& doc, const std::string& path);
// Takes the map's trace from its views; false when it had none.
bool ClearPointFileOf(CTolveDoc& doc);
