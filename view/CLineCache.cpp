#include "view/CLineCache.h"

#include <algorithm>
#include <utility>

namespace {

bool Fits(int32_t value, int32_t offset, int bits) {
    return value >= -offset && value < (int32_t{1} << bits) - offset;
}

} // namespace

bool CLineCache::SeenBefore(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    for (int32_t v : {x1, y1, x2, y2}) {
        if (!Fits(v, kCoordinateOffset, kCoordinateBits))
            return false; // far off the screen: never cached
    }
    if (std::make_pair(x2, y2) < std::make_pair(x1, y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    uint64_t key = 0;
    for (int32_t v : {x1, y1, x2, y2})
        key = (key << kCoordinateBits) | static_cast<uint64_t>(v + kCoordinateOffset);
    if (m_slots.empty())
        m_slots.assign(size_t{1} << m_slotBits, 0);
    const uint64_t entry = (key << kGenerationBits) | m_generation;
    const size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - m_slotBits));
    if (m_slots[slot] == entry)
        return true;
    m_slots[slot] = entry;
    ++m_remembered;
    m_storedSinceReset = true;
    return false;
}

void CLineCache::Reset() {
    // Nothing of this generation is in the table: it can go on serving, and
    // generations, which wrap with a sweep of the whole table, last longer.
    if (!m_storedSinceReset)
        return;
    m_storedSinceReset = false;
    if (m_remembered > m_slots.size() && m_slotBits < kMostSlotBits) {
        // Busy pictures: a bigger table catches more repeats. Start afresh.
        ++m_slotBits;
        m_slots.clear();
        m_remembered = 0;
        m_generation = 1;
        return;
    }
    if (++m_generation == (uint64_t{1} << kGenerationBits)) {
        std::fill(m_slots.begin(), m_slots.end(), 0);
        m_generation = 1;
    }
}
