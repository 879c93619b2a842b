#pragma once

#include <cstdint>

namespace samples {

// Integer value noise that repeats with the texture's width and height, so the
// textures tile. All arithmetic is on integers: the same seed gives the same
// pixels on every machine.
class CTileNoise {
public:
    CTileNoise(int width, int height, uint32_t seed);

    // A well-mixed 32-bit hash of a pixel (wrapped into the texture) and a salt.
    uint32_t Hash(int x, int y, uint32_t salt = 0) const;
    // 0..255, one independent value per pixel.
    int Random(int x, int y, uint32_t salt = 0) const {
        return static_cast<int>(Hash(x, y, salt) >> 24);
    }
    // 0..255, smoothly interpolated between random values on a lattice of
    // `cell` pixels (cut down to the texture's size where it is larger).
    int Smooth(int x, int y, int cell, uint32_t salt = 0) const;
    // 0..255, the sum of `octaves` layers of Smooth, each with half the cell
    // and half the weight of the one before.
    int Fractal(int x, int y, int cell, int octaves, uint32_t salt = 0) const;

private:
    int Lattice(int x, int y, int cellX, int cellY, uint32_t salt) const;

    int m_width;
    int m_height;
    uint32_t m_seed;
};

// Mixes the bits of a 32-bit value so that close inputs give unrelated outputs.
uint32_t MixBits(uint32_t value);

} // namespace samples
