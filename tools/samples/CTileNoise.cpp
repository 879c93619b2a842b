#include "tools/samples/CTileNoise.h"

#include <algorithm>

namespace samples {

namespace {

int Wrap(int value, int size) {
    int rest = value % size;
    return rest < 0 ? rest + size : rest;
}

// 0..256 ease curve over 0..256, 3t^2 - 2t^3, so lattice cells show no seams.
int Ease(int t) {
    return t * t * (3 * 256 - 2 * t) / (256 * 256);
}

int Mix(int from, int to, int weight) {
    return from + (to - from) * weight / 256;
}

} // namespace

uint32_t MixBits(uint32_t value) {
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
}

CTileNoise::CTileNoise(int width, int height, uint32_t seed)
    : m_width(width), m_height(height), m_seed(seed) {}

uint32_t CTileNoise::Hash(int x, int y, uint32_t salt) const {
    uint32_t wx = static_cast<uint32_t>(Wrap(x, m_width));
    uint32_t wy = static_cast<uint32_t>(Wrap(y, m_height));
    return MixBits(MixBits(MixBits(m_seed ^ salt) + wx) + wy * 0x9e3779b9U);
}

int CTileNoise::Lattice(int x, int y, int cellX, int cellY, uint32_t salt) const {
    int periodX = m_width / cellX;
    int periodY = m_height / cellY;
    return static_cast<int>(Hash(Wrap(x, periodX), Wrap(y, periodY), salt ^ 0x51ed27u) >> 24);
}

int CTileNoise::Smooth(int x, int y, int cell, uint32_t salt) const {
    int cellX = std::min(cell, m_width);
    int cellY = std::min(cell, m_height);
    x = Wrap(x, m_width);
    y = Wrap(y, m_height);
    int latticeX = x / cellX;
    int latticeY = y / cellY;
    int weightX = Ease((x % cellX) * 256 / cellX);
    int weightY = Ease((y % cellY) * 256 / cellY);
    // The salt also changes with the cell size so that octaves are unrelated.
    uint32_t cellSalt = salt + static_cast<uint32_t>(cell) * 0x2545f491U;
    int top = Mix(Lattice(latticeX, latticeY, cellX, cellY, cellSalt),
                  Lattice(latticeX + 1, latticeY, cellX, cellY, cellSalt), weightX);
    int bottom = Mix(Lattice(latticeX, latticeY + 1, cellX, cellY, cellSalt),
                     Lattice(latticeX + 1, latticeY + 1, cellX, cellY, cellSalt), weightX);
    return Mix(top, bottom, weightY);
}

int CTileNoise::Fractal(int x, int y, int cell, int octaves, uint32_t salt) const {
    int sum = 0;
    int totalWeight = 0;
    int weight = 256;
    for (int octave = 0; octave < octaves && cell >= 1; ++octave) {
        sum += Smooth(x, y, cell, salt) * weight;
        totalWeight += weight;
        weight /= 2;
        cell /= 2;
    }
    return totalWeight == 0 ? 0 : sum / totalWeight;
}

} // namespace samples
