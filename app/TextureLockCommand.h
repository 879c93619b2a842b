#pragma once

#include "app/CommandEntry.h"

// Edit > Texture Lock: whether moving a brush moves the textures of its Valve
// faces along. One setting for the editor, on until the user turns it off.
void AddTextureLockCommand(CommandEntries& entries);

bool LoadTextureLockSetting();
void StoreTextureLockSetting(bool locked);
