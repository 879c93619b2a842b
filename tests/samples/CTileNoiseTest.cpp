#include "tools/samples/CTileNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace samples;

TEST(CTileNoise, RepeatsWithTheTextureSize) {
    CTileNoise noise(64, 32, 11);
    for (int y = 0; y < 32; y += 3) {
        for (int x = 0; x < 64; x += 5) {
            EXPECT_EQ(noise.Smooth(x, y, 16), noise.Smooth(x + 64, y - 32, 16));
            EXPECT_EQ(noise.Fractal(x, y, 32, 4), noise.Fractal(x - 128, y + 64, 32, 4));
            EXPECT_EQ(noise.Random(x, y, 2), noise.Random(x + 64, y + 32, 2));
        }
    }
}

namespace {

// The largest step between horizontal neighbours inside the texture and
// across its right edge.
struct Steps {
    int inside = 0;
    int acrossEdge = 0;
};

Steps MeasureSteps(int width, int height, int cell) {
    CTileNoise noise(width, height, 5);
    Steps steps;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x + 1 < width; ++x) {
            int step = std::abs(noise.Smooth(x + 1, y, cell) - noise.Smooth(x, y, cell));
            steps.inside = std::max(steps.inside, step);
        }
        int step = std::abs(noise.Smooth(0, y, cell) - noise.Smooth(width - 1, y, cell));
        steps.acrossEdge = std::max(steps.acrossEdge, step);
    }
    return steps;
}

} // namespace

TEST(CTileNoise, HasNoSeamWhereTheTextureWraps) {
    Steps square = MeasureSteps(64, 64, 16);
    EXPECT_GT(square.inside, 0);
    EXPECT_LE(square.acrossEdge, square.inside);
    // A cell wider than the texture is cut down to it rather than cut off.
    Steps narrow = MeasureSteps(32, 128, 64);
    EXPECT_LE(narrow.acrossEdge, narrow.inside);
}

TEST(CTileNoise, StaysInRangeAndDependsOnTheSeed) {
    CTileNoise first(64, 64, 1);
    CTileNoise second(64, 64, 2);
    int differences = 0;
    int lowest = 255;
    int highest = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int value = first.Fractal(x, y, 32, 5);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
            differences += value != second.Fractal(x, y, 32, 5);
        }
    }
    EXPECT_GE(lowest, 0);
    EXPECT_LE(highest, 255);
    EXPECT_GT(highest - lowest, 64); // not flat
    EXPECT_GT(differences, 64 * 64 / 2);
}
