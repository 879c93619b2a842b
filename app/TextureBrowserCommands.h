#pragma once

#include "app/CommandEntry.h"

// View > Texture Browser (Ctrl+Shift+T): shows the browser with the keyboard
// in its filter. Edit > Apply Texture (Shift+T): the map's current texture on
// the selected faces, or every face of the selected brushes, as one step.
void AddTextureBrowserCommands(CommandEntries& entries);
