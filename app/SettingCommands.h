#pragma once

#include "app/CommandEntry.h"

// Snap: the "Snap" dialog sets the document's snap step. Neither the map nor
// the picture changes.
void SetSnapStep(const CommandContext& context);

// Textures: the user picks another texture file for the map, which is loaded.
void ChooseTextureFile(const CommandContext& context);
