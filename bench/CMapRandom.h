#pragma once

#include <cstdint>

// A small fixed-seed generator (splitmix64): the same seed gives the same
// numbers with every compiler and standard library, so generated maps are
// byte-for-byte repeatable.
class CMapRandom {
public:
    explicit CMapRandom(uint64_t seed) : m_state(seed) {}

    uint64_t NextBits() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [low, high]; the slight modulo bias does not matter here.
    int NextInt(int low, int high) {
        const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
        return static_cast<int>(low + static_cast<int64_t>(NextBits() % span));
    }

    // A multiple of `step` in [low, high] (both multiples of `step`).
    int NextStep(int low, int high, int step) { return NextInt(low / step, high / step) * step; }

    bool Chance(int percent) { return NextInt(0, 99) < percent; }

    template <typename T, int N> const T& Pick(const T (&items)[N]) {
        return items[NextInt(0, N - 1)];
    }

private:
    uint64_t m_state;
};
