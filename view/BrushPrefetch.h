#pragma once

#include "map/CModelEntity.h"

#include <cstddef>

// Brushes are large and scattered in memory; a walk over all of them asks for
// the corners of a brush a few places ahead, so that they are in the cache when
// their turn comes.
inline constexpr size_t kPrefetchDistance = 16;
inline void PrefetchBrush(const BrushList& brushes, size_t index) {
    if (index < brushes.size()) {
        const CMapBrush* brush = brushes[index].get();
        __builtin_prefetch(brush);
        __builtin_prefetch(reinterpret_cast<const char*>(brush) + 64);
        __builtin_prefetch(reinterpret_cast<const char*>(brush) + 128);
    }
}
