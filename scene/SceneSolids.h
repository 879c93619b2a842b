#pragma once

#include "map/IntBox.h"

#include <cstddef>
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

// Things drawn in one colour that lie near each other, with the box around
// them, so the drawing can pass over those the camera cannot see.
struct SolidChunk {
    std::vector<SolidVertex> vertices;
    IntBox box;
};

struct ColouredBox {
    IntBox box;
    SolidColour colour;
};

// The boxes in chunks of `perChunk` that lie near each other: sorted along
// space first, so that each chunk's box stays small.
std::vector<SolidChunk> ChunkAlongSpace(std::vector<ColouredBox> boxes, size_t perChunk);

// Two triangles per side of the box, facing out.
void AppendEntityBox(const IntBox& box, SolidColour colour, std::vector<SolidVertex>& out);
// The faces of a brush (or only `face`, when not -1) as triangles in `colour`.
void AppendBrushTint(const CMapBrush& brush, int face, SolidColour colour,
                     std::vector<SolidVertex>& out);
