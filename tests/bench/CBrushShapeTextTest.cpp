#include "bench/CBrushShapeText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

struct FacePoints {
    IntPoint p, q, r;
};

std::vector<FacePoints> ParseFaces(const std::string& text) {
    std::vector<FacePoints> faces;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        FacePoints f;
        if (std::sscanf(line.c_str(), "( %d %d %d ) ( %d %d %d ) ( %d %d %d )", &f.p.x, &f.p.y,
                        &f.p.z, &f.q.x, &f.q.y, &f.q.z, &f.r.x, &f.r.y, &f.r.z) == 9)
            faces.push_back(f);
    }
    return faces;
}

// Counts the face lines whose (P - Q) x (R - Q) does not point away from
// `inside`.
int InwardFaces(const std::string& text, double x, double y, double z) {
    int inward = 0;
    for (const FacePoints& f : ParseFaces(text)) {
        double a[3] = {double(f.p.x - f.q.x), double(f.p.y - f.q.y), double(f.p.z - f.q.z)};
        double b[3] = {double(f.r.x - f.q.x), double(f.r.y - f.q.y), double(f.r.z - f.q.z)};
        double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                       a[0] * b[1] - a[1] * b[0]};
        double toInside = n[0] * (x - f.q.x) + n[1] * (y - f.q.y) + n[2] * (z - f.q.z);
        inward += toInside >= 0;
    }
    return inward;
}

const LineTexture kWall{"wall", 0, 0, 0, "1", "1"};

} // namespace

TEST(CBrushShapeText, EveryShapeWritesItsFacesPointingOutward) {
    std::string text;
    CBrushShapeText shapes(text);
    shapes.AppendBox({-64, -32, 0}, {64, 32, 16}, kWall, kWall);
    EXPECT_EQ(ParseFaces(text).size(), 6u);
    EXPECT_EQ(InwardFaces(text, 0, 0, 8), 0);

    for (int rise = 0; rise < 4; ++rise) {
        text.clear();
        shapes.AppendWedge({0, 0, 0}, {96, 96, 48}, rise, kWall, kWall);
        EXPECT_EQ(ParseFaces(text).size(), 5u);
        EXPECT_EQ(InwardFaces(text, 48, 48, 8), 0) << "rise " << rise;
    }

    text.clear();
    shapes.AppendPrism(CBrushShapeText::MakeRoundedPolygon({100, -50}, 40, 7, 10), 0, 64, kWall,
                       kWall);
    EXPECT_EQ(ParseFaces(text).size(), 9u);
    EXPECT_EQ(InwardFaces(text, 100, -50, 32), 0);

    text.clear();
    shapes.AppendRotatedSlab({10, 20, 0}, {3, 1}, 40, 20, 32, kWall, kWall);
    EXPECT_EQ(ParseFaces(text).size(), 6u);
    EXPECT_EQ(InwardFaces(text, 10, 20, 16), 0);
}

TEST(CBrushShapeText, FaceLineCarriesTheTextureSettingsAsGiven) {
    std::string text;
    CBrushShapeText(text).AppendBox({0, 0, 0}, {16, 16, 16}, {"+0button", 8, -16, 90, "0.5", "-1"},
                                    kWall);
    EXPECT_NE(text.find(") +0button 8 -16 90 0.5 -1\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(0, 2), "{\n");
    EXPECT_EQ(text.substr(text.size() - 2), "}\n");
}

TEST(CBrushShapeText, ValveFaceLineCarriesTheAxesOfItsStandardNumbers) {
    std::string text;
    CBrushShapeText(text, MapFormat::kValve)
        .AppendBox({0, 0, 0}, {16, 16, 16}, kWall, {"+0button", 8, -16, 90, "0.5", "-1"});
    // The west side faces -x: the axes of that plane, unturned.
    EXPECT_NE(text.find("( 0 0 16 ) ( 0 0 0 ) ( 0 16 0 ) wall [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"),
              std::string::npos)
        << text;
    // The bottom faces -z; a quarter turn takes (1 0 0) to (0 1 0) and (0 -1 0) to (1 0 0).
    EXPECT_NE(text.find("( 0 16 0 ) ( 0 0 0 ) ( 16 0 0 ) +0button [ 0 1 0 8 ] [ 1 0 0 -16 ] 90 "
                        "0.5 -1\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(ParseFaces(text).size(), 6u);
}

TEST(CBrushShapeText, RoundedPolygonsAreWellShapedForEverySideCount) {
    for (int sides = 3; sides <= 24; ++sides) {
        auto polygon = CBrushShapeText::MakeRoundedPolygon({-4000, 3000}, 16, sides, 37);
        ASSERT_EQ(polygon.size(), static_cast<size_t>(sides));
        EXPECT_TRUE(CBrushShapeText::IsWellShaped(polygon)) << sides << " sides";
    }
}

TEST(CBrushShapeText, WellShapedRejectsFlatCornersAndClockwiseOrder) {
    // The middle corner is half a unit off the line through its neighbours.
    EXPECT_FALSE(CBrushShapeText::IsWellShaped({{0, 0}, {100, 0}, {200, 1}, {100, 100}}));
    EXPECT_TRUE(CBrushShapeText::IsWellShaped({{0, 0}, {100, 0}, {200, 4}, {100, 100}}));
    EXPECT_FALSE(CBrushShapeText::IsWellShaped({{0, 0}, {0, 100}, {100, 0}}));
    EXPECT_FALSE(CBrushShapeText::IsWellShaped({{0, 0}, {1, 0}, {0, 50}})); // an edge under 2
}

TEST(CBrushShapeText, TurnedSlabPlanesAreMovedUntilNoCornerIsAnIntegerPoint) {
    // Side planes along (1, 2) through these points meet at (-1, 3) and three
    // other integer points.
    const GridPoint direction{1, 2};
    GridPoint points[4] = {{1, 2}, {-1, -2}, {-2, 1}, {2, -1}};
    CBrushShapeText::MoveCornersOffIntegers(direction, points);
    const double a = direction.x, b = direction.y, lengthSquared = a * a + b * b;
    for (int corner = 0; corner < 4; ++corner) {
        const GridPoint& p = points[corner / 2];
        const GridPoint& q = points[2 + corner % 2];
        const double k = a * p.x + b * p.y, j = -b * q.x + a * q.y;
        const double x = (k * a - j * b) / lengthSquared, y = (k * b + j * a) / lengthSquared;
        EXPECT_FALSE(x == std::floor(x) && y == std::floor(y)) << "corner " << x << ", " << y;
    }
    // A few one-unit nudges are enough.
    EXPECT_LE(std::abs(points[0].x - 1) + std::abs(points[1].x + 1) + std::abs(points[2].x + 2) +
                  std::abs(points[3].x - 2),
              4);
}
