#pragma once

#include "app/CommandEntry.h"

// New Brush: "Brush & Face Edit", then a prism or pyramid around the last
// mouse position with the chosen texture, in the chosen owner.
void NewBrush(const CommandContext& context);

// Edit in brush or face mode: "Brush & Face Edit" on the selected brush or
// face; false when the mode is neither or nothing is selected.
bool EditBrushOrFace(const CommandContext& context);
