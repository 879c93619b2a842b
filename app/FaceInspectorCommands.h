#pragma once

#include "app/CommandEntry.h"

// View > Face Inspector (Ctrl+Shift+I): shows the dock of the selected faces'
// texture values, leaving the keyboard in the view.
void AddFaceInspectorCommands(CommandEntries& entries);
