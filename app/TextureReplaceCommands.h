#pragma once

#include "app/CommandEntry.h"

// Edit > Replace Texture... (one texture name by another, on the selected
// faces or the whole map, as one step) and Map > Missing Textures... (the
// textures no texture file holds; choosing one selects its faces).
void AddTextureReplaceCommands(CommandEntries& entries);
