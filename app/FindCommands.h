#pragma once

#include "app/CommandEntry.h"

class CDocManager;
class CTolveDoc;

// Edit > Find... (Ctrl+Alt+F): the Find dock, with the keyboard in its text.
void AddFindCommands(CommandEntries& entries);

// Frames the map's selection in every view of it, flat and camera alike.
void FrameSelectionInViews(const CDocManager& docs, CTolveDoc& doc);
