#pragma once

#include "map/IntBox.h"

#include <cstdint>
#include <vector>

class CMapBrush;

// A corner of something drawn in one colour: a point entity's box, or the
// tint over hovered and selected faces.
struct SolidVertex {
    float position[3];
    float normal[3];
    uint8_t colour[4]; // red, green, blue, opacity
};

struct SolidColour {
    uint8_t red = 255, green = 255, blue = 255, alpha = 255;
};

// Two triangles per side of the box, facing out.
void AppendEntityBox(const IntBox& box, SolidColour colour, std::vector<SolidVertex>& out);
// The faces of a brush (or only `face`, when not -1) as triangles in `colour`.
void AppendBrushTint(const CMapBrush& brush, int face, SolidColour colour,
                     std::vector<SolidVertex>& out);
