#pragma once

#include "app/CommandEntry.h"

#include <cstdint>

// Edit > CSG: Subtract cuts the brush chosen last out of the other chosen
// brushes, Hollow turns each chosen brush into walls, Hollow Together the
// chosen brushes into the walls of the space they make together, and Merge
// joins them into one convex brush; each one step, refused with a message
// when a result could not be a brush.
void AddCsgCommands(CommandEntries& entries);

// How thick Hollow makes walls, "Csg/WallThickness"; 0 (the default): the
// snap step of the map.
int32_t LoadWallThickness();
void StoreWallThickness(int32_t units);
