#include "scene/SpaceOrder.h"

namespace {

// Spreads the bits of a 21-bit number three apart.
uint64_t Spread(uint64_t v) {
    v &= 0x1FFFFF;
    v = (v | v << 32) & 0x1F00000000FFFFULL;
    v = (v | v << 16) & 0x1F0000FF0000FFULL;
    v = (v | v << 8) & 0x100F00F00F00F00FULL;
    v = (v | v << 4) & 0x10C30C30C30C30C3ULL;
    v = (v | v << 2) & 0x1249249249249249ULL;
    return v;
}

} // namespace

uint64_t SpaceKey(const IntBox& box) {
    auto cell = [](int64_t low, int64_t high) {
        return static_cast<uint64_t>(((low + high) / 2 + (int64_t{1} << 25)) >> 5);
    };
    return Spread(cell(box.min.x, box.max.x)) | Spread(cell(box.min.y, box.max.y)) << 1 |
           Spread(cell(box.min.z, box.max.z)) << 2;
}
