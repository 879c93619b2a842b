#pragma once

#include "app/CommandEntry.h"

class CChildFrame;
class CTolveDoc;
class CTolveView;

// The settings every open map and every view follow at once, as they stand
// in the user's configuration: a map opened or a setting changed takes them
// from here, so each is applied in one place.

// A map's own copy: texture lock, the pick distance and where a cut's new
// faces take their texture from.
void ApplySettingsTo(CTolveDoc& doc);
// A flat view's grid and its colour.
void ApplySettingsTo(CTolveView& view);
// A window's view: its flat view, or its camera's drawing and speed.
void ApplySettingsTo(CChildFrame& frame);
// Every open map and each of its windows; the command's own view and map
// also when no document manager is at hand.
void ApplySettingsToOpenMaps(const CommandContext& context);
