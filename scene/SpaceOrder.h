#pragma once

#include "map/IntBox.h"

#include <cstdint>

// The place of a box's centre along a curve that visits space cell by cell
// (Morton order, 32-unit cells), so that things near each other on it lie
// near each other in the map: sorted by it, runs of things make small boxes.
uint64_t SpaceKey(const IntBox& box);
