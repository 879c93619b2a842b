#pragma once

#include "map/IntPoint.h"
#include "map/MapFormat.h"

#include <cstdint>
#include <string>
#include <vector>

enum class BrushShape : uint8_t { kBox, kWedge, kPrism, kRotatedSlab };

// One generated brush and what the brush builder must make of it.
struct GeneratedBrush {
    BrushShape shape = BrushShape::kBox;
    int sides = 4; // of a prism's base polygon

    int ExpectedVertices() const;
    int ExpectedFaces() const;
};

// Texture settings of a face line; the scales are written as given.
struct LineTexture {
    const char* name = "";
    int xOffset = 0;
    int yOffset = 0;
    int rotation = 0;
    const char* xScale = "1";
    const char* yScale = "1";
};

struct GridPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Appends brushes of a few shapes as map text. Every face line is written
// through three integer points ordered so that (P - Q) x (R - Q) points out
// of the brush. `side` textures the vertical faces, `cap` the others. In the
// Valve form a face's axes show exactly the texture its standard numbers give.
class CBrushShapeText {
public:
    explicit CBrushShapeText(std::string& out, MapFormat format = MapFormat::kStandard)
        : m_out(out), m_format(format) {}

    GeneratedBrush AppendBox(const IntPoint& min, const IntPoint& max, const LineTexture& side,
                             const LineTexture& cap);
    // A ramp on the footprint of min..max, rising from min.z at one side to
    // max.z at the opposite side; `rise` 0..3 = toward +x, +y, -x, -y.
    GeneratedBrush AppendWedge(const IntPoint& min, const IntPoint& max, int rise,
                               const LineTexture& side, const LineTexture& cap);
    // A vertical prism over a strictly convex polygon given counterclockwise.
    GeneratedBrush AppendPrism(const std::vector<GridPoint>& polygon, int32_t bottom, int32_t top,
                               const LineTexture& side, const LineTexture& cap);
    // A box turned about z so that its length runs along `direction` (neither
    // component 0); none of its corners is an integer point.
    GeneratedBrush AppendRotatedSlab(const IntPoint& center, GridPoint direction,
                                     int32_t halfLength, int32_t halfWidth, int32_t height,
                                     const LineTexture& side, const LineTexture& cap);

    // The corners of a regular polygon rounded to integers, counterclockwise.
    // The radius grows until every corner stands at least one unit off every
    // edge it is not on, so that clipping at 0.1 units finds every corner.
    static std::vector<GridPoint> MakeRoundedPolygon(GridPoint center, int32_t radius, int sides,
                                                     int phaseDegrees);
    static bool IsWellShaped(const std::vector<GridPoint>& polygon);
    // Moves the side planes of a turned slab (points on them, +d, -d, +e, -e)
    // until no two of them meet in an integer corner.
    static void MoveCornersOffIntegers(GridPoint direction, GridPoint (&points)[4]);

private:
    void BeginBrush(const IntPoint* corners, int count);
    void AppendFace(IntPoint p, IntPoint q, IntPoint r, const LineTexture& texture);
    void AppendStandardTexture(const LineTexture& texture);
    void AppendValveTexture(const IntPoint& p, const IntPoint& q, const IntPoint& r,
                            const LineTexture& texture);
    void EndBrush() { m_out += "}\n"; }

    std::string& m_out;
    MapFormat m_format;
    int64_t m_insideSum[3] = {}; // the inside point times m_insideCount
    int64_t m_insideCount = 1;
};
