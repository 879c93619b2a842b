#pragma once

#include "app/CommandEntry.h"

// The clip tool and where its new faces take their texture from.
void AddClipCommands(CommandEntries& entries);

// The user's choice of texture for a cut's new faces, kept in the settings.
bool LoadClipTakesLargestFaceTexture();
void StoreClipTakesLargestFaceTexture(bool largest);
