#pragma once

#include "map/IntPoint.h"

#include <array>
#include <cstdint>
#include <memory>

inline constexpr int kMaxBrushFaces = 32;
inline constexpr int kMaxBrushVertices = 64;
inline constexpr int kMaxFacePoints = 32;
inline constexpr int kMaxTextureName = 15; // characters, without the terminator

// One face of a brush: a polygon of indices into the brush's vertex table, in
// order, plus its texture settings.
struct BrushFace {
    uint8_t numPoints = 0;
    uint8_t vertexIndex[kMaxFacePoints] = {};
    char texture[kMaxTextureName + 1] = {};
    int16_t xOffset = 0;
    int16_t yOffset = 0;
    float rotation = 0.0f;
    float xScale = 0.0f;
    float yScale = 0.0f;
};

// The three plane points a face was read with. Kept for the faces whose
// rounded corners no longer span exactly that plane, so that saving a brush
// nobody touched gives back the planes it was read with.
struct ReadPlanePoints {
    std::array<bool, kMaxBrushFaces> kept = {};
    std::array<std::array<IntPoint, 3>, kMaxBrushFaces> points = {};
};

// A convex brush as a table of distinct integer corners shared by its faces.
// The plane of a face is the plane through its first three corners P, Q, R;
// (P - Q) x (R - Q) points out of the brush.
class CMapBrush {
public:
    CMapBrush() = default;
    CMapBrush(const CMapBrush&) = delete;
    CMapBrush& operator=(const CMapBrush&) = delete;
    virtual ~CMapBrush() = default;

    // Whoever moves a vertex calls this: from then on every face is saved
    // through its corners.
    void ForgetReadPlanes() { m_readPlanes.reset(); }

    uint8_t m_numVertices = 0;
    uint8_t m_numFaces = 0;
    BrushFace m_faces[kMaxBrushFaces];
    IntPoint m_vertices[kMaxBrushVertices];
    std::unique_ptr<ReadPlanePoints> m_readPlanes; // null when no face needs them
};
