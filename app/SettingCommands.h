#pragma once

#include "app/CommandEntry.h"

// Snap: the "Snap" dialog sets the document's snap step. Neither the map nor
// the picture changes.
void SetSnapStep(const CommandContext& context);

// Textures: the "Texture Files" dialog arranges the map's texture files and the
// texture folders of all maps; OK loads the list again. A map none of whose
// files was found goes straight to the file chooser, and the chosen file joins
// the list. Neither marks the map modified; the list is saved with the map.
void ChooseTextureFile(const CommandContext& context);
