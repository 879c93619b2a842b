#pragma once

#include "map/CModelEntity.h"

#include <cstddef>

// Brushes are large and scattered in memory; a walk over all of them (repaint,
// hover search) asks for the start of a brush a few places ahead, so that its
// counts and first corners (the first four cache lines hold the 16 corners
// most brushes have) are in the cache when its turn comes.
inline constexpr size_t kPrefetchDistance = 16;

inline void PrefetchBrush(const CMapBrush& brush) {
    const char* start = reinterpret_cast<const char*>(&brush);
    for (int line = 0; line < 4; ++line)
        __builtin_prefetch(start + 64 * line);
}

// The faces' corner lists too, for drawing the edges: a box's six faces.
inline void PrefetchBrushOutline(const CMapBrush& brush) {
    PrefetchBrush(brush);
    for (int face = 0; face < 6; ++face)
        __builtin_prefetch(&brush.m_faces[face].vertexIndex);
}

inline void PrefetchBrush(const BrushList& brushes, size_t index) {
    if (index < brushes.size())
        PrefetchBrush(*brushes[index]);
}
