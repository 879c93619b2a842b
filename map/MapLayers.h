#pragma once

#include "map/CSelectionSet.h"

#include <string>
#include <vector>

class CTolveDoc;

// A layer as a map may keep one: a "func_group" entity with
// "_tb_type" "_tb_layer", "_tb_name" and "_tb_id", whose own brushes are
// in it, and every entity (brush entity, point entity or group) carrying
// "_tb_layer" with that id. What no layer claims is in the default layer,
// the world's. The map holds layers only as these keys; reading them changes
// nothing.
struct MapLayer {
    std::string name;
    std::string id; // empty for the default layer
    // Its brushes, whole, and its point entities.
    CSelectionSet members;
};

inline constexpr const char* kDefaultLayerName = "Default Layer";

// The default layer, then each layer of the map by its "_tb_layer_sort_index"
// (those without one after, in map order). An entity naming an id no layer
// has is in the default layer.
std::vector<MapLayer> ReadMapLayers(const CTolveDoc& doc);
