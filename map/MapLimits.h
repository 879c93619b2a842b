#pragma once

inline constexpr int kMaxBrushFaces = 32;
inline constexpr int kMaxBrushVertices = 64;
inline constexpr int kMaxFacePoints = 32;
inline constexpr int kMaxTextureName = 15; // characters, without the terminator
