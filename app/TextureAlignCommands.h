#pragma once

#include "app/CommandEntry.h"

// Edit > Texture: the texture of the chosen faces (or of every face of the
// chosen brushes) shifted, turned, scaled, fitted, reset, aligned to an edge,
// flipped, and copied from one face to others, each change one step, from a
// flat view or a camera view. Without a selection the commands act on the
// face or brush under the pointer.
void AddTextureAlignCommands(CommandEntries& entries);
