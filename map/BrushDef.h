#pragma once

#include "map/FaceDef.h"

#include <cstdint>

// One brush as the file states it, on its way from the reader to BuildBrush.
struct BrushDef {
    uint8_t numFaces = 0;
    FaceDef faces[kMaxBrushFaces];
};
