#include "map/BrushHull.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <tuple>

namespace {

struct LongVector {
    int64_t x = 0, y = 0, z = 0;
};

LongVector Minus(const IntPoint& a, const IntPoint& b) {
    return {int64_t{a.x} - b.x, int64_t{a.y} - b.y, int64_t{a.z} - b.z};
}

// Corners lie within the world, so these products fit 64 bits.
LongVector CrossOf(const LongVector& a, const LongVector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

int64_t DotOf(const LongVector& a, const LongVector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A plane as its normal in lowest terms and its distance, to tell planes apart.
using PlaneKey = std::tuple<int64_t, int64_t, int64_t, int64_t>;

PlaneKey KeyOf(LongVector n, const IntPoint& on) {
    const int64_t divisor = std::gcd(std::gcd(n.x, n.y), n.z);
    n = {n.x / divisor, n.y / divisor, n.z / divisor};
    return {n.x, n.y, n.z, n.x * on.x + n.y * on.y + n.z * on.z};
}

PlaneKey KeyOf(const IntPoint (&points)[3]) {
    const LongVector n = CrossOf(Minus(points[0], points[1]), Minus(points[2], points[1]));
    return KeyOf(n, points[1]);
}

std::vector<IntPoint> DistinctCorners(const std::vector<const CMapBrush*>& brushes) {
    std::vector<IntPoint> corners;
    for (const CMapBrush* brush : brushes)
        corners.insert(corners.end(), brush->m_vertices, brush->m_vertices + brush->m_numVertices);
    auto less = [](const IntPoint& a, const IntPoint& b) {
        return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
    };
    std::sort(corners.begin(), corners.end(), less);
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    return corners;
}

// Which side of the plane through corner `on` with normal `n` the corners
// lie: 1 all behind or on it, -1 all in front or on it, 0 both.
int SideOfAll(const std::vector<IntPoint>& corners, const LongVector& n, const IntPoint& on) {
    bool behind = false, front = false;
    for (const IntPoint& corner : corners) {
        const int64_t height = DotOf(n, Minus(corner, on));
        behind = behind || height < 0;
        front = front || height > 0;
        if (behind && front)
            return 0;
    }
    return behind ? 1 : front ? -1 : 0;
}

// The face of the brushes the hull's face takes its texture from.
PieceFace TexturedFace(const IntPoint (&points)[3], const std::vector<const CMapBrush*>& brushes) {
    PieceFace face;
    std::copy(std::begin(points), std::end(points), face.points);
    const PlaneKey key = KeyOf(points);
    for (const CMapBrush* brush : brushes) {
        for (int f = 0; f < brush->m_numFaces; ++f) {
            IntPoint planePoints[3];
            brush->GetPlanePoints(f, planePoints, false);
            if (KeyOf(planePoints) == key) {
                face.source = brush;
                face.face = f;
                return face;
            }
        }
    }
    const LongVector n = CrossOf(Minus(points[0], points[1]), Minus(points[2], points[1]));
    const Vec3d normal = Normalized({double(n.x), double(n.y), double(n.z)});
    const CMapBrush* first = brushes.front();
    double nearest = -2.0;
    face.source = first;
    for (int f = 0; f < first->m_numFaces; ++f) {
        IntPoint p[3];
        first->GetPlanePoints(f, p, false);
        const LongVector m = CrossOf(Minus(p[0], p[1]), Minus(p[2], p[1]));
        const double along = Dot(normal, Normalized({double(m.x), double(m.y), double(m.z)}));
        if (along > nearest) {
            nearest = along;
            face.face = f;
        }
    }
    return face;
}

} // namespace

std::optional<ConvexPiece> HullOfBrushes(const std::vector<const CMapBrush*>& brushes) {
    if (brushes.empty())
        return std::nullopt;
    const std::vector<IntPoint> corners = DistinctCorners(brushes);
    std::set<PlaneKey> found;
    ConvexPiece hull;
    const size_t count = corners.size();
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = i + 1; j < count; ++j) {
            for (size_t k = j + 1; k < count; ++k) {
                const LongVector n =
                    CrossOf(Minus(corners[i], corners[j]), Minus(corners[k], corners[j]));
                if (n.x == 0 && n.y == 0 && n.z == 0)
                    continue;
                const int side = SideOfAll(corners, n, corners[j]);
                if (side == 0)
                    continue;
                const LongVector out = side > 0 ? n : LongVector{-n.x, -n.y, -n.z};
                if (!found.insert(KeyOf(out, corners[j])).second)
                    continue;
                // (P - Q) x (R - Q) points out when the corners lie behind.
                IntPoint points[3] = {corners[i], corners[j], corners[k]};
                if (side < 0)
                    std::swap(points[0], points[2]);
                hull.push_back(TexturedFace(points, brushes));
            }
        }
    }
    if (hull.size() < 4 || PieceVolume(hull) <= kNoVolume)
        return std::nullopt;
    return hull;
}
