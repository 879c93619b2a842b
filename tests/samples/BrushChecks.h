#pragma once

#include "map/CMapBrush.h"

#include <cstdint>

// In a namespace of their own so that no other test helper of the same
// name can clash with them.
namespace samples_test {

// Whether every face's plane, taken through its first three corners P, Q, R
// as (P - Q) x (R - Q), points away from the middle of the brush.
inline bool FacesPointOutward(const CMapBrush& brush) {
    if (brush.m_numVertices == 0)
        return false;
    int64_t sum[3] = {0, 0, 0};
    for (int i = 0; i < brush.m_numVertices; ++i) {
        sum[0] += brush.m_vertices[i].x;
        sum[1] += brush.m_vertices[i].y;
        sum[2] += brush.m_vertices[i].z;
    }
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        if (face.numPoints < 3)
            return false;
        const IntPoint& p = brush.m_vertices[face.vertexIndex[0]];
        const IntPoint& q = brush.m_vertices[face.vertexIndex[1]];
        const IntPoint& r = brush.m_vertices[face.vertexIndex[2]];
        int64_t a[3] = {int64_t{p.x} - q.x, int64_t{p.y} - q.y, int64_t{p.z} - q.z};
        int64_t b[3] = {int64_t{r.x} - q.x, int64_t{r.y} - q.y, int64_t{r.z} - q.z};
        int64_t normal[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                             a[0] * b[1] - a[1] * b[0]};
        // The middle, times the vertex count, minus Q times the vertex count.
        int64_t n = brush.m_numVertices;
        int64_t toMiddle[3] = {sum[0] - n * q.x, sum[1] - n * q.y, sum[2] - n * q.z};
        if (normal[0] * toMiddle[0] + normal[1] * toMiddle[1] + normal[2] * toMiddle[2] >= 0)
            return false;
    }
    return true;
}

} // namespace samples_test
