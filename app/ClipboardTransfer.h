#pragma once

#include "app/CommandEntry.h"

// Cut, Copy and Paste of map objects through the system clipboard, as map
// text, so they travel to and from text editors and other map editors.

// Copy and Cut need a brush selected in brush mode or a point entity in entity
// mode.
bool CanCopySelection(const CommandContext& context);
// Paste needs text on the clipboard.
bool CanPasteClipboard(const CommandContext& context);

void CopySelection(const CommandContext& context);
// Copy, then Delete.
void CutSelection(const CommandContext& context);
// Adds the clipboard's map objects, centred on the view's snapped cursor in
// its plane; text without map objects changes nothing and says why.
void PasteClipboard(const CommandContext& context);
