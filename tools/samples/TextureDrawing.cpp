#include "tools/samples/TextureDrawing.h"

#include <array>

namespace samples {

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

struct Glyph {
    char letter;
    std::array<const char*, kGlyphHeight> rows;
};

constexpr std::array<Glyph, 9> kFont = {{
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
}};

const Glyph* FindGlyph(char letter) {
    for (const Glyph& glyph : kFont) {
        if (glyph.letter == letter)
            return &glyph;
    }
    return nullptr;
}

void DrawGlyph(CIndexImage& image, int x, int y, const Glyph& glyph, int scale, uint8_t colour) {
    for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < kGlyphWidth; ++column) {
            if (glyph.rows[row][column] == '#')
                image.FillRect(x + column * scale, y + row * scale, scale, scale, colour);
        }
    }
}

} // namespace

int NoiseOffset(int noise, int spread) {
    return (noise - 128) * (2 * spread + 1) / 256;
}

int Relief(const CTileNoise& noise, int x, int y, int cell, int octaves) {
    return noise.Fractal(x + 1, y + 1, cell, octaves) - noise.Fractal(x - 1, y - 1, cell, octaves);
}

void DrawBlock(CIndexImage& image, const CTileNoise& noise, const BlockStyle& style, int x, int y,
               int width, int height, int level) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int px = x + column;
            int py = y + row;
            int shade =
                level + NoiseOffset(noise.Fractal(px, py, style.cell, 3, style.salt), style.grain);
            if (row == 0 || column == 0)
                shade += style.bevel;
            else if (row == height - 1 || column == width - 1)
                shade -= style.bevel;
            image.Set(px, py, Shade(style.ramp, shade));
        }
    }
}

void DrawBevel(CIndexImage& image, int x, int y, int width, int height, uint8_t light,
               uint8_t dark) {
    image.FillRect(x, y, width, 1, light);
    image.FillRect(x, y, 1, height, light);
    image.FillRect(x, y + height - 1, width, 1, dark);
    image.FillRect(x + width - 1, y + 1, 1, height - 1, dark);
}

void DrawRivet(CIndexImage& image, int x, int y, Ramp ramp) {
    image.FillRect(x, y, 3, 3, Shade(ramp, 9));
    image.Set(x, y, Shade(ramp, 13));
    image.Set(x + 1, y, Shade(ramp, 12));
    image.Set(x, y + 1, Shade(ramp, 12));
    image.Set(x + 2, y + 2, Shade(ramp, 3));
    image.Set(x + 2, y + 1, Shade(ramp, 5));
    image.Set(x + 1, y + 2, Shade(ramp, 5));
}

int TextWidth(std::string_view text, int scale) {
    if (text.empty())
        return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void DrawText(CIndexImage& image, int x, int y, std::string_view text, int scale, uint8_t colour,
              uint8_t shadow) {
    for (int pass = 0; pass < 2; ++pass) {
        int offset = pass == 0 ? 1 : 0;
        int left = x;
        for (char letter : text) {
            if (const Glyph* glyph = FindGlyph(letter))
                DrawGlyph(image, left + offset, y + offset, *glyph, scale,
                          pass == 0 ? shadow : colour);
            left += (kGlyphWidth + 1) * scale;
        }
    }
}

} // namespace samples
