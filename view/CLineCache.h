#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Remembers the lines drawn since the last Reset, so that a line drawn again
// in the same colour, with nothing else drawn in between, can be skipped: it
// would not change a pixel. Neighbouring brushes share many edges, and in a
// plane view brushes above one another share nearly all of theirs. A cache,
// not a set: a line it has forgotten is simply drawn again.
class CLineCache {
public:
    // True when the line (either direction) was seen since the last Reset;
    // otherwise remembers it.
    bool SeenBefore(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Forgets every line, in constant time. Markers reset it at every corner
    // of a zoomed-in view, so a reset with nothing remembered since is free.
    void Reset();

private:
    // The table starts small and grows while a picture offers more lines than
    // it holds well, up to 2^20 slots (8 MB).
    static constexpr int kFirstSlotBits = 14;
    static constexpr int kMostSlotBits = 20;
    static constexpr int32_t kCoordinateOffset = 2048; // lines within -2048..6143 are cached
    static constexpr int kCoordinateBits = 13;
    static constexpr int kGenerationBits = 64 - 4 * kCoordinateBits;

    std::vector<uint64_t> m_slots; // made at first use
    int m_slotBits = kFirstSlotBits;
    size_t m_remembered = 0; // lines stored since the table was made
    uint64_t m_generation = 1;
    bool m_storedSinceReset = false;
};
