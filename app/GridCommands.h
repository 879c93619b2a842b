#pragma once

#include "app/CommandEntry.h"
#include "view/GridColours.h"

// The grid behind the map in every view (View > Grid, the setting
// "View/Grid", on by default) and the keys that halve and double the snap step.
bool LoadGridSetting();
void StoreGridSetting(bool shown);
// The colour of the grid's lines at the snap step ("View/GridColour", as
// #rrggbb); the default grey when unset or unreadable.
Rgb LoadGridColour();
void StoreGridColour(Rgb colour);
void AddGridCommands(CommandEntries& entries);
