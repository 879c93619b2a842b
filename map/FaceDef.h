#pragma once

#include "map/IntPoint.h"
#include "map/MapLimits.h"
#include "map/Vec3d.h"

// One face line as the file states it.
struct FaceDef {
    IntPoint points[3];
    char texture[kMaxTextureName + 1] = {};
    float xOffset = 0.0f;
    float yOffset = 0.0f;
    float rotation = 0.0f;
    float xScale = 0.0f;
    float yScale = 0.0f;
    // When some plane point is not a whole number: the points as written,
    // which the plane is worked out from.
    bool hasFractionalPoints = false;
    Vec3d exactPoints[3];

    friend bool operator==(const FaceDef&, const FaceDef&) = default;
};
