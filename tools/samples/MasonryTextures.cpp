#include "tools/samples/TextureDrawing.h"

#include <algorithm>
#include <cstdlib>

namespace samples {

namespace {

// Mortar: dark sand with a little grit.
void FillMortar(CIndexImage& image, const CTileNoise& noise, int level) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x)
            image.Set(x, y, Shade(Ramp::kSand, level + noise.Random(x, y, 7) % 3 - 1));
    }
}

int BlockLevel(const CTileNoise& noise, int column, int row, int low, int high) {
    return low +
           static_cast<int>(noise.Hash(column, row, 99) % static_cast<uint32_t>(high - low + 1));
}

int IntegerSqrt(int value) {
    int root = 0;
    while ((root + 1) * (root + 1) <= value)
        ++root;
    return root;
}

} // namespace

CIndexImage DrawBrickWall(Ramp brick, int width, int height, int brickWidth, int brickHeight,
                          uint32_t seed) {
    CIndexImage image(width, height);
    CTileNoise noise(width, height, seed);
    FillMortar(image, noise, 4);
    BlockStyle style{brick, 2, 4, 2, seed};
    for (int row = 0; row * brickHeight < height; ++row) {
        int shift = (row % 2) * brickWidth / 2;
        for (int column = 0; column * brickWidth < width; ++column) {
            int level = BlockLevel(noise, column, row, 6, 9);
            DrawBlock(image, noise, style, column * brickWidth + shift, row * brickHeight,
                      brickWidth - 2, brickHeight - 2, level);
        }
    }
    return image;
}

CIndexImage DrawStoneWall() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 1201);
    FillMortar(image, noise, 3);
    BlockStyle style{Ramp::kSand, 3, 8, 2, 5};
    constexpr int kRowHeight = 16;
    for (int row = 0; row < 4; ++row) {
        // Blocks of 16 to 32 units whose widths add up to the texture width.
        int x = static_cast<int>(noise.Hash(row, 0, 31) % 4) * 8;
        int remaining = 64;
        int block = 0;
        while (remaining > 0) {
            int width = 16 + static_cast<int>(noise.Hash(row, block, 32) % 3) * 8;
            if (remaining - width < 16)
                width = remaining;
            DrawBlock(image, noise, style, x, row * kRowHeight, width - 2, kRowHeight - 2,
                      BlockLevel(noise, block, row, 6, 9));
            x += width;
            remaining -= width;
            ++block;
        }
    }
    return image;
}

CIndexImage DrawCobbles() {
    constexpr int kCell = 16;
    constexpr int kCells = 4;
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 1301);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            // The two nearest jittered cell centres decide stone and gap.
            int nearest = 1 << 30;
            int second = 1 << 30;
            int stone = 0;
            for (int cy = y / kCell - 1; cy <= y / kCell + 1; ++cy) {
                for (int cx = x / kCell - 1; cx <= x / kCell + 1; ++cx) {
                    uint32_t hash = noise.Hash((cx + kCells) % kCells, (cy + kCells) % kCells, 13);
                    int centreX = cx * kCell + 3 + static_cast<int>(hash % 10);
                    int centreY = cy * kCell + 3 + static_cast<int>((hash >> 8) % 10);
                    int distance = (x - centreX) * (x - centreX) + (y - centreY) * (y - centreY);
                    if (distance < nearest) {
                        second = nearest;
                        nearest = distance;
                        stone = static_cast<int>(hash >> 16);
                    } else if (distance < second) {
                        second = distance;
                    }
                }
            }
            int gap = IntegerSqrt(second) - IntegerSqrt(nearest);
            int level = 5 + stone % 4 + NoiseOffset(noise.Fractal(x, y, 8, 2), 2) -
                        IntegerSqrt(nearest) / 4;
            if (gap < 2)
                image.Set(x, y, Shade(Ramp::kEarth, 2 + gap));
            else
                image.Set(x, y, Shade(Ramp::kGrey, level + (gap < 3 ? -1 : 1)));
        }
    }
    return image;
}

CIndexImage DrawCheckerTiles() {
    CIndexImage image(64, 64, Shade(Ramp::kGrey, 3));
    CTileNoise noise(64, 64, 1401);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            bool light = (row + column) % 2 == 0;
            BlockStyle style{light ? Ramp::kSand : Ramp::kBrick, 1, 16, 2, 9};
            DrawBlock(image, noise, style, column * 32 + 1, row * 32 + 1, 30, 30, light ? 10 : 6);
        }
    }
    return image;
}

CIndexImage DrawMosaic() {
    CIndexImage image(64, 64, Shade(Ramp::kGrey, 3));
    CTileNoise noise(64, 64, 1501);
    const Ramp ramps[] = {Ramp::kTeal, Ramp::kWater, Ramp::kWater, Ramp::kSand};
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            uint32_t hash = noise.Hash(column, row, 3);
            BlockStyle style{ramps[hash % 4], 1, 4, 1, 4};
            DrawBlock(image, noise, style, column * 8, row * 8, 7, 7,
                      7 + static_cast<int>((hash >> 8) % 4));
        }
    }
    return image;
}

CIndexImage DrawConcrete() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 1601);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int level = 8 + NoiseOffset(noise.Fractal(x, y, 32, 5), 3) +
                        (noise.Random(x, y) > 230 ? -2 : 0) + (noise.Random(x, y, 1) > 240 ? 2 : 0);
            image.Set(x, y, Shade(Ramp::kGrey, level));
        }
    }
    // Expansion joints and a wandering crack.
    image.FillRect(0, 0, 64, 1, Shade(Ramp::kGrey, 4));
    image.FillRect(0, 0, 1, 64, Shade(Ramp::kGrey, 4));
    int crackY = 20;
    for (int x = 8; x < 50; ++x) {
        crackY += static_cast<int>(noise.Hash(x, 0, 5) % 3) - 1;
        image.Set(x, crackY, Shade(Ramp::kGrey, 3));
        image.Set(x, crackY + 1, Shade(Ramp::kGrey, 10));
    }
    return image;
}

CIndexImage DrawPillar() {
    CIndexImage image(32, 128);
    CTileNoise noise(32, 128, 1701);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 32; ++x) {
            // Round shading across the column, with a groove every 8 units.
            int across = 2 * x - 31;
            int level = 4 + 9 * (961 - across * across) / 961;
            if (x % 8 == 0)
                level -= 3;
            else if (x % 8 == 1)
                level += 1;
            level += NoiseOffset(noise.Fractal(x, y, 8, 3), 1);
            image.Set(x, y, Shade(Ramp::kSand, level));
        }
    }
    // Bands at the foot and the head of the column.
    BlockStyle band{Ramp::kSand, 1, 4, 2, 2};
    DrawBlock(image, noise, band, 0, 0, 32, 10, 9);
    DrawBlock(image, noise, band, 0, 118, 32, 10, 9);
    return image;
}

CIndexImage DrawRock(Ramp ramp, uint32_t seed) {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, seed);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int height = noise.Fractal(x, y, 32, 5);
            int ridge = 255 - 2 * std::abs(height - 128);
            int level = 4 + ridge / 48 + Relief(noise, x, y, 32, 5) / 3 +
                        (noise.Random(x, y) > 200 ? 1 : 0);
            image.Set(x, y, Shade(ramp, level));
        }
    }
    return image;
}

CIndexImage DrawPlanks() {
    constexpr int kPlank = 16;
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 1801);
    for (int y = 0; y < 64; ++y) {
        int plank = y / kPlank;
        int joint = static_cast<int>(noise.Hash(plank, 0, 8) % 64);
        int base = 6 + static_cast<int>(noise.Hash(plank, 1, 8) % 3);
        for (int x = 0; x < 64; ++x) {
            int grain = (y * 16 + noise.Fractal(x, y, 32, 3) / 2 + plank * 37) / 6 % 4;
            int level = base + (grain == 0 ? -2 : (grain == 3 ? 1 : 0)) +
                        (noise.Random(x, y) > 220 ? -1 : 0);
            if (y % kPlank == 0)
                level = base + 2;
            else if (y % kPlank == kPlank - 1 || x == joint)
                level = 1;
            image.Set(x, y, Shade(Ramp::kWood, level));
        }
        if (y % kPlank == 4 || y % kPlank == 11)
            image.Set(joint + 2, y, Shade(Ramp::kGrey, 4));
    }
    return image;
}

CIndexImage DrawCrate() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 1901);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            // Vertical boards inside, a diagonal brace from corner to corner.
            int level = 5 + NoiseOffset(noise.Fractal(x, y * 4, 16, 2), 1);
            if (x % 12 == 0)
                level = 2;
            if (std::abs(x + y - 63) < 6)
                level = 8 + NoiseOffset(noise.Fractal(x, y, 8, 2), 1);
            else if (std::abs(x + y - 63) == 6)
                level = 2;
            image.Set(x, y, Shade(Ramp::kWood, level));
        }
    }
    BlockStyle frame{Ramp::kWood, 1, 8, 2, 3};
    DrawBlock(image, noise, frame, 0, 0, 64, 8, 10);
    DrawBlock(image, noise, frame, 0, 56, 64, 8, 10);
    DrawBlock(image, noise, frame, 0, 8, 8, 48, 9);
    DrawBlock(image, noise, frame, 56, 8, 8, 48, 9);
    for (int corner : {2, 58}) {
        DrawRivet(image, corner, 2, Ramp::kSteel);
        DrawRivet(image, corner, 58, Ramp::kSteel);
    }
    return image;
}

} // namespace samples
