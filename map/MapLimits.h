#pragma once

#include <cstdint>

inline constexpr int kMaxBrushFaces = 32;
inline constexpr int kMaxBrushVertices = 64;
inline constexpr int kMaxFacePoints = 32;
inline constexpr int kMaxTextureName = 15; // characters, without the terminator
// How far brushes reach from the origin along each axis: as far as the
// compilers and engines of today take maps.
inline constexpr int32_t kWorldExtent = 65536;
// The largest maps in use are a few hundred megabytes of text; a file larger
// than this is refused before it takes the memory of the whole machine.
inline constexpr uint64_t kMaxMapFileBytes = uint64_t{1} << 30;
