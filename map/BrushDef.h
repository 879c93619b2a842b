#pragma once

#include "map/CMapBrush.h"

// One face line as the file states it.
struct FaceDef {
    IntPoint points[3];
    char texture[kMaxTextureName + 1] = {};
    float xOffset = 0.0f;
    float yOffset = 0.0f;
    float rotation = 0.0f;
    float xScale = 0.0f;
    float yScale = 0.0f;
};

// One brush as the file states it, on its way from the reader to BuildBrush.
struct BrushDef {
    uint8_t numFaces = 0;
    FaceDef faces[kMaxBrushFaces];
};
