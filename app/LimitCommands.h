#pragma once

#include "app/CommandEntry.h"

// The upper and lower limits and the insertion point take the two in-plane
// components of the view's cursor point. They are editing state shared by the
// views, not part of the map: every view repaints, nothing is marked modified.
void SetUpperLimitFromCursor(const CommandContext& context);
void SetLowerLimitFromCursor(const CommandContext& context);
void SetInsertionPointFromCursor(const CommandContext& context);

// Limits that hide nothing again, in every view.
void ClearLimits(const CommandContext& context);
bool HasLimits(const CommandContext& context);
