#include "map/FaceFlatness.h"

namespace {

// Corners differ by up to 2^32 along an axis, so the normal needs 66 bits and
// its product with another difference 99: 128 bits hold every step exactly.
using Wide = __int128;

struct WideVector {
    Wide x, y, z;
};

WideVector Difference(const IntPoint& a, const IntPoint& b) {
    return {Wide{a.x} - b.x, Wide{a.y} - b.y, Wide{a.z} - b.z};
}

Wide Dot(const WideVector& n, const WideVector& d) {
    return n.x * d.x + n.y * d.y + n.z * d.z;
}

} // namespace

bool IsFaceFlat(const CMapBrush& brush, int face) {
    const BrushFace& f = brush.m_faces[face];
    if (f.numPoints < 3)
        return false;
    const IntPoint& p = brush.m_vertices[f.vertexIndex[0]];
    const WideVector a = Difference(brush.m_vertices[f.vertexIndex[1]], p);
    const WideVector b = Difference(brush.m_vertices[f.vertexIndex[2]], p);
    const WideVector n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    if (n.x == 0 && n.y == 0 && n.z == 0)
        return false;
    for (int k = 3; k < f.numPoints; ++k) {
        if (Dot(n, Difference(brush.m_vertices[f.vertexIndex[k]], p)) != 0)
            return false;
    }
    return true;
}

int CountNonFlatFaces(const CMapBrush& brush) {
    int count = 0;
    for (int face = 0; face < brush.m_numFaces; ++face)
        count += IsFaceFlat(brush, face) ? 0 : 1;
    return count;
}

std::string DescribeNonFlatFaces(int count) {
    if (count == 1)
        return "1 face of this brush is not flat; the file keeps the plane through its first "
               "three corners.";
    return std::to_string(count) +
           " faces of this brush are not flat; the file keeps the plane through each one's "
           "first three corners.";
}
