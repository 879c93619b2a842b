#pragma once

#include "app/CommandEntry.h"

// Delete: the selected brush in brush mode, the selected point entity in
// entity mode; nothing in the other modes or when nothing is selected.
void DeleteSelection(const CommandContext& context);
