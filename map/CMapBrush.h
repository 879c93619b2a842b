#pragma once

#include "map/FaceDef.h"
#include "map/IntPoint.h"
#include "map/MapLimits.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

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

// A face line that gave no polygon (its points were collinear, it repeated a
// plane, or the other faces cut it away), to be written back before face
// `before` of the brush.
struct HiddenFace {
    int before = 0;
    FaceDef def;
};

// What a brush was read with, as far as its corners cannot tell it again: the
// plane points of the faces whose rounded corners no longer span exactly that
// plane, and the face lines that gave no polygon. Saving a brush nobody touched
// writes these back, so it reads again into the very same brush.
struct ReadPlanePoints {
    std::array<bool, kMaxBrushFaces> kept = {};
    std::array<std::array<IntPoint, 3>, kMaxBrushFaces> points = {};
    std::vector<HiddenFace> hidden;
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
    // The corners come before the faces so that the few a brush uses share
    // cache lines with the counts: the hover search reads little else.
    IntPoint m_vertices[kMaxBrushVertices];
    BrushFace m_faces[kMaxBrushFaces];
    std::unique_ptr<ReadPlanePoints> m_readPlanes; // null when the corners tell it all
};
