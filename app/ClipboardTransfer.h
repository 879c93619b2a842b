#pragma once

#include "app/CommandEntry.h"

// Cut, Copy and Paste of map objects through the system clipboard, as map
// text, so they travel to and from text editors and other map editors.

// Copy needs the selection set or a hovered object the view shows, of any
// mode (corners and faces copy their brushes); Cut the same in brush or
// entity mode. Their menu texts say why they cannot.
bool CanCopySelection(const CommandContext& context);
bool CanCutSelection(const CommandContext& context);
QString CopyLabel(const CommandContext& context);
QString CutLabel(const CommandContext& context);
// Paste needs text on the clipboard.
bool CanPasteClipboard(const CommandContext& context);

void CopySelection(const CommandContext& context);
// Copy, then Delete.
void CutSelection(const CommandContext& context);
// Adds the clipboard's map objects, centred on the view's snapped cursor in
// its plane; text without map objects changes nothing and says why.
void PasteClipboard(const CommandContext& context);
