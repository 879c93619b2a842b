#pragma once

#include <cstdint>
#include <vector>

// A texture's picture as 8-bit red, green, blue triples, row by row from the
// top, one pixel per texel.
struct PreviewImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3 bytes
    // Counts the builds, so that whoever shows the picture knows when it changed.
    uint64_t generation = 0;

    bool IsEmpty() const { return rgb.empty(); }
};

// A texture's level-0 picture as the file holds it: one palette index per
// texel, row by row from the top.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height bytes
};
