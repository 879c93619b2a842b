#include "map/BrushGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

enum Side { kFront, kBack, kOn };

// A corner far outside any sensible map still has to fit an int32.
int32_t RoundCoordinate(double value) {
    double rounded = RoundHalfUp(value);
    if (std::isnan(rounded))
        return 0;
    if (rounded >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

// Texture offsets keep the low 16 bits of their rounded value.
int16_t RoundOffset(float value) {
    double rounded = std::fmod(RoundHalfUp(value), 65536.0);
    if (std::isnan(rounded))
        return 0;
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(rounded)));
}

bool SamePlane(const Plane& a, const Plane& b) {
    return a.normal == b.normal && a.dist == b.dist;
}

Plane Reversed(const Plane& plane) {
    return {plane.normal * -1.0, -plane.dist};
}

using Wide = __int128;

struct WideVector {
    Wide x, y, z;
};

WideVector WideNormal(const IntPoint& p, const IntPoint& q, const IntPoint& r) {
    Wide ax = int64_t{p.x} - q.x, ay = int64_t{p.y} - q.y, az = int64_t{p.z} - q.z;
    Wide bx = int64_t{r.x} - q.x, by = int64_t{r.y} - q.y, bz = int64_t{r.z} - q.z;
    return {ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
}

Wide WideDot(const WideVector& n, const IntPoint& p, const IntPoint& origin) {
    return n.x * (int64_t{p.x} - origin.x) + n.y * (int64_t{p.y} - origin.y) +
           n.z * (int64_t{p.z} - origin.z);
}

int Sign(Wide value) {
    return (value > 0) - (value < 0);
}

Wide Gcd(Wide a, Wide b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// The normal of points written with decimals, in double precision.
Vec3d FractionalNormal(const FaceDef& face) {
    const Vec3d* p = face.exactPoints;
    return Cross(p[0] - p[1], p[2] - p[1]);
}

bool ComputeFractionalPlane(const FaceDef& face, Plane& plane) {
    const Vec3d n = FractionalNormal(face);
    const double length = Length(n);
    if (length == 0.0)
        return false;
    plane.normal = n * (1.0 / length);
    plane.dist = Dot(n, face.exactPoints[1]) / length;
    return true;
}

// The plane through a face's three points, worked out from the exact integer
// plane reduced to lowest terms: any three points of one plane give the very
// same plane, so a brush saved through other points of its planes builds
// again into exactly the same corners.
bool ComputePlane(const FaceDef& face, Plane& plane) {
    if (face.hasFractionalPoints)
        return ComputeFractionalPlane(face, plane);
    WideVector n = WideNormal(face.points[0], face.points[1], face.points[2]);
    if (n.x == 0 && n.y == 0 && n.z == 0)
        return false;
    Wide divisor = Gcd(Gcd(n.x, n.y), n.z);
    n = {n.x / divisor, n.y / divisor, n.z / divisor};
    const IntPoint& q = face.points[1];
    Wide d = n.x * q.x + n.y * q.y + n.z * q.z;
    double x = static_cast<double>(n.x), y = static_cast<double>(n.y), z = static_cast<double>(n.z);
    double length = std::sqrt(x * x + y * y + z * z);
    plane.normal = {x / length, y / length, z / length};
    plane.dist = static_cast<double>(d) / length;
    return true;
}

// True when the oriented plane through corners p, q, r is exactly the plane
// through the three points the face was read with.
bool SpansReadPlane(const IntPoint& p, const IntPoint& q, const IntPoint& r,
                    const IntPoint (&read)[3]) {
    WideVector n = WideNormal(p, q, r);
    if (n.x == 0 && n.y == 0 && n.z == 0)
        return false;
    for (const IntPoint& point : read) {
        if (WideDot(n, point, q) != 0)
            return false;
    }
    // Both planes are one and the same; compare their orientation.
    WideVector m = WideNormal(read[0], read[1], read[2]);
    if (n.x != 0)
        return Sign(n.x) == Sign(m.x);
    if (n.y != 0)
        return Sign(n.y) == Sign(m.y);
    return Sign(n.z) == Sign(m.z);
}

enum class AddResult { kAdded, kTooSmall, kNoRoom };

ReadPlanePoints& ReadPlanesOf(CMapBrush& brush) {
    if (!brush.m_readPlanes)
        brush.m_readPlanes = std::make_unique<ReadPlanePoints>();
    return *brush.m_readPlanes;
}

} // namespace

void KeepReadPoints(CMapBrush& brush, int face, const FaceDef& def, bool asWrittenOnly) {
    std::vector<KeptPlanePoints>& kept = ReadPlanesOf(brush).points;
    auto place = std::find_if(kept.begin(), kept.end(),
                              [&](const KeptPlanePoints& entry) { return entry.face >= face; });
    if (place != kept.end() && place->face == face)
        return;
    kept.insert(place, {face, {def.points[0], def.points[1], def.points[2]}, asWrittenOnly});
}

namespace {

// Keeps a face line without a polygon so that saving gives it back.
void HideFace(CMapBrush& brush, const FaceDef& def) {
    HiddenFace hidden{brush.m_numFaces, def, {}};
    hidden.def.xOffset = RoundOffset(def.xOffset);
    hidden.def.yOffset = RoundOffset(def.yOffset);
    ReadPlanesOf(brush).hidden.push_back(hidden);
}

// Adds the rounded polygon of one face to the brush.
AddResult AddFace(CMapBrush& brush, const FaceDef& def, const Winding& winding) {
    int indices[kWindingCapacity];
    int count = 0;
    for (int k = 0; k < winding.numPoints; ++k) {
        IntPoint point(RoundCoordinate(winding.points[k][0]), RoundCoordinate(winding.points[k][1]),
                       RoundCoordinate(winding.points[k][2]));
        int index = 0;
        while (index < brush.m_numVertices && !(brush.m_vertices[index] == point))
            ++index;
        if (index == brush.m_numVertices) {
            if (brush.m_numVertices == kMaxBrushVertices)
                return AddResult::kNoRoom;
            brush.m_vertices[brush.m_numVertices++] = point;
        }
        // Corners that round together would make a face list a vertex twice.
        if (count > 0 && indices[count - 1] == index)
            continue;
        indices[count++] = index;
    }
    while (count > 1 && indices[count - 1] == indices[0])
        --count;
    if (count < 3 || count > kMaxFacePoints)
        return AddResult::kTooSmall; // a sliver at integer resolution

    BrushFace& face = brush.m_faces[brush.m_numFaces];
    face.numPoints = static_cast<uint8_t>(count);
    for (int k = 0; k < count; ++k)
        face.vertexIndex[k] = static_cast<uint8_t>(indices[k]);
    std::memcpy(face.texture, def.texture, sizeof face.texture);
    face.xOffset = RoundOffset(def.xOffset);
    face.yOffset = RoundOffset(def.yOffset);
    face.rotation = def.rotation;
    face.xScale = def.xScale;
    face.yScale = def.yScale;

    const IntPoint* v = brush.m_vertices;
    if (!SpansReadPlane(v[indices[0]], v[indices[1]], v[indices[2]], def.points))
        KeepReadPoints(brush, brush.m_numFaces, def);
    ++brush.m_numFaces;
    return AddResult::kAdded;
}

} // namespace

double RoundHalfUp(double value) {
    double lower = std::floor(value);
    return value < lower + 0.5 ? lower : std::ceil(value);
}

Winding NewWinding(int points, const GeometryReport& report) {
    if (points > kWindingCapacity)
        report("NewWinding: too many points\n");
    Winding winding;
    winding.capacity = points < kWindingCapacity ? points : kWindingCapacity;
    return winding;
}

Winding BasePolyForPlane(const Plane& plane, FaceDef& face, const GeometryReport& report) {
    int axis = -1;
    double largest = -kBogusRange;
    for (int i = 0; i < 3; ++i) {
        double component = std::fabs(plane.normal[i]);
        if (component > largest) {
            axis = i;
            largest = component;
        }
    }
    if (axis == -1)
        report("BasePolyForPlane: no axis found");

    Vec3d up;
    if (axis == 0 || axis == 1)
        up.z = 1.0;
    else if (axis == 2)
        up.x = 1.0;

    up = Normalized(up - plane.normal * Dot(up, plane.normal));
    const Vec3d org = plane.normal * plane.dist;
    Vec3d right = Cross(up, plane.normal);
    up = up * kBasePolyHalfSize;
    right = right * kBasePolyHalfSize;

    Winding winding = NewWinding(4, report);
    winding.points[0] = org - right + up;
    winding.points[1] = org + right + up;
    winding.points[2] = org + right - up;
    winding.points[3] = org - right - up;
    winding.numPoints = 4;

    if (face.xScale == 0.0f)
        face.xScale = 1.0f;
    if (face.yScale == 0.0f)
        face.yScale = 1.0f;
    return winding;
}

bool ClipWinding(Winding& winding, const Plane& plane, const GeometryReport& report) {
    const int n = winding.numPoints;
    double dists[kWindingCapacity + 1];
    Side sides[kWindingCapacity + 1];
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i) {
        double d = Dot(winding.points[i], plane.normal) - plane.dist;
        dists[i] = d;
        sides[i] = d > kOnPlaneEpsilon ? kFront : d < -kOnPlaneEpsilon ? kBack : kOn;
        ++counts[sides[i]];
    }
    if (counts[kFront] == 0 && counts[kBack] == 0)
        return true;
    if (counts[kFront] == 0) {
        winding.numPoints = 0;
        return false;
    }
    if (counts[kBack] == 0)
        return true;

    Winding clipped = NewWinding(n + 4, report);
    int written = 0; // may run past what the array holds; only that many are stored
    auto append = [&](const Vec3d& point) {
        if (written < kWindingCapacity)
            clipped.points[written] = point;
        ++written;
    };
    for (int i = 0; i < n; ++i) {
        const Vec3d& p1 = winding.points[i];
        if (sides[i] == kOn) {
            append(p1);
            continue;
        }
        if (sides[i] == kFront)
            append(p1);
        int j = i + 1 == n ? 0 : i + 1;
        if (sides[j] == kOn || sides[j] == sides[i])
            continue;
        const Vec3d& p2 = winding.points[j];
        double t = dists[i] / (dists[i] - dists[j]);
        Vec3d mid;
        for (int k = 0; k < 3; ++k) {
            if (plane.normal[k] == 1.0)
                mid[k] = plane.dist;
            else if (plane.normal[k] == -1.0)
                mid[k] = -plane.dist;
            else
                mid[k] = p1[k] + t * (p2[k] - p1[k]);
        }
        append(mid);
    }
    if (written > n + 4)
        report("ClipWinding: points exceeded estimate");
    clipped.numPoints = written < kWindingCapacity ? written : kWindingCapacity;
    winding.numPoints = clipped.numPoints;
    std::copy(clipped.points, clipped.points + clipped.numPoints, winding.points);
    return true;
}

void CheckFace(const Plane& plane, const Winding* winding, const GeometryReport& report) {
    if (!winding) {
        report("CheckFace: no winding\n");
        return;
    }
    const int n = winding->numPoints;
    if (n < 3)
        report("CheckFace: points < 3\n");
    for (int i = 0; i < n; ++i) {
        const Vec3d& p1 = winding->points[i];
        for (int k = 0; k < 3; ++k) {
            if (p1[k] > kBogusRange || p1[k] < -kBogusRange)
                report("CheckFace: outside BOGUS_RANGE\n");
        }
        double d = Dot(p1, plane.normal) - plane.dist;
        if (d < -kOnPlaneEpsilon || d > kOnPlaneEpsilon)
            report("CheckFace: point off plane\n");
        const Vec3d& p2 = winding->points[i + 1 == n ? 0 : i + 1];
        const Vec3d edge = p2 - p1;
        if (Length(edge) < kDegenerateEdgeLength)
            report("CheckFace: degenerate edge\n");
        const Vec3d edgeNormal = Normalized(Cross(plane.normal, edge));
        double limit = Dot(p1, edgeNormal) + kOnPlaneEpsilon;
        for (int k = 0; k < n; ++k) {
            if (k != i && Dot(winding->points[k], edgeNormal) > limit)
                report("CheckFace: non-convex");
        }
    }
}

bool FacePointsSpanPlane(const FaceDef& face) {
    if (face.hasFractionalPoints)
        return Length(FractionalNormal(face)) != 0.0;
    WideVector n = WideNormal(face.points[0], face.points[1], face.points[2]);
    return n.x != 0 || n.y != 0 || n.z != 0;
}

bool BuildBrush(CMapBrush& brush, BrushDef& def, const GeometryReport& report,
                int* builtFaceOfDef) {
    Plane planes[kMaxBrushFaces];
    bool hasPlane[kMaxBrushFaces] = {};
    const int numFaces = def.numFaces < kMaxBrushFaces ? def.numFaces : kMaxBrushFaces;
    for (int i = 0; i < numFaces; ++i) {
        if (!ComputePlane(def.faces[i], planes[i]))
            continue;
        hasPlane[i] = true;
        for (int j = 0; j < i; ++j) {
            if (hasPlane[j] && SamePlane(planes[j], planes[i]))
                hasPlane[i] = false;
        }
    }

    brush.m_numVertices = 0;
    brush.m_numFaces = 0;
    brush.ForgetReadPlanes();
    bool fits = true;
    for (int i = 0; i < numFaces; ++i) {
        if (builtFaceOfDef)
            builtFaceOfDef[i] = -1;
        if (!hasPlane[i]) {
            HideFace(brush, def.faces[i]);
            continue;
        }
        Winding winding = BasePolyForPlane(planes[i], def.faces[i], report);
        bool survives = true;
        for (int j = 0; j < numFaces && survives; ++j) {
            if (j != i && hasPlane[j])
                survives = ClipWinding(winding, Reversed(planes[j]), report);
        }
        if (!survives) {
            HideFace(brush, def.faces[i]);
            continue;
        }
        CheckFace(planes[i], &winding, report);
        if (!fits)
            continue;
        AddResult result = AddFace(brush, def.faces[i], winding);
        if (result == AddResult::kTooSmall)
            HideFace(brush, def.faces[i]);
        else if (result == AddResult::kAdded && builtFaceOfDef)
            builtFaceOfDef[i] = brush.m_numFaces - 1;
        fits = result != AddResult::kNoRoom;
    }
    if (!fits) {
        brush.m_numVertices = 0;
        brush.m_numFaces = 0;
        brush.ForgetReadPlanes();
    }
    return fits;
}

bool ReachesBeyondWorld(const CMapBrush& brush) {
    for (int v = 0; v < brush.m_numVertices; ++v) {
        const IntPoint& corner = brush.m_vertices[v];
        for (int32_t coordinate : {corner.x, corner.y, corner.z}) {
            if (coordinate > kWorldExtent || coordinate < -kWorldExtent)
                return true;
        }
    }
    return false;
}

double BrushVolume(const CMapBrush& brush) {
    if (brush.m_numVertices == 0)
        return 0.0;
    // Tetrahedra from one corner to every face's triangles; the faces run the
    // same way round seen from outside, so the signs agree.
    const Vec3d apex = ToVec3d(brush.m_vertices[0]);
    double sixTimes = 0.0;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        const Vec3d first = ToVec3d(brush.m_vertices[face.vertexIndex[0]]) - apex;
        for (int k = 2; k < face.numPoints; ++k) {
            const Vec3d a = ToVec3d(brush.m_vertices[face.vertexIndex[k - 1]]) - apex;
            const Vec3d b = ToVec3d(brush.m_vertices[face.vertexIndex[k]]) - apex;
            sixTimes += Dot(first, Cross(a, b));
        }
    }
    return std::fabs(sixTimes) / 6.0;
}
