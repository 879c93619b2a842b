#pragma once

#include "app/CommandEntry.h"

// The grid behind the map in every view (View > Grid, the setting
// "View/Grid", on by default) and the keys that halve and double the snap step.
bool LoadGridSetting();
void AddGridCommands(CommandEntries& entries);
