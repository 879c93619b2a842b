#pragma once

#include "map/MapFragment.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The map keeps brush entities and point entities in lists of their own, but
// a map file holds one sequence of entities, whose order matters: the game
// numbers entities in it, and mods rely on those numbers. Each entity carries
// its place in that sequence (m_mapOrder): the reader numbers them as it
// reads, and the map gives each entity that joins it the next number.

// One entity of either list.
struct MapOrderEntry {
    bool point = false; // of the point entity list, else of the brush entity list
    size_t index = 0;
};

// Both lists' entities in map order. Entities of equal place (made without
// one) keep brush entities first and each list's own order. Either list may
// be null.
std::vector<MapOrderEntry> ArrangeInMapOrder(const ModelEntityList* models,
                                             const PointEntityList* points);

// The highest place any entity of the lists holds; 0 for none.
uint64_t FindLastMapOrder(const ModelEntityList& models, const PointEntityList& points);
