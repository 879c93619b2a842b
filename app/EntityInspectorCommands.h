#pragma once

#include "app/CommandEntry.h"

// View > Entity Inspector (Ctrl+Shift+E): shows the dock of the selected
// entities' keys, leaving the keyboard in the view.
void AddEntityInspectorCommands(CommandEntries& entries);
