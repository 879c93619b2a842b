#include "map/BrushClip.h"

#include "map/BrushDef.h"
#include "map/BrushGeometry.h"
#include "map/TextureProjection.h"

#include <cmath>
#include <cstring>

namespace {

// Products of coordinates as far as the world reaches and beyond overflow 64
// bits; corners are told from the plane exactly.
using Wide = __int128;

struct WideNormal {
    Wide x = 0, y = 0, z = 0;
};

WideNormal NormalOf(const ClipPlane& plane) {
    const IntPoint& p0 = plane.points[0];
    const Wide ax = Wide{plane.points[1].x} - p0.x, ay = Wide{plane.points[1].y} - p0.y,
               az = Wide{plane.points[1].z} - p0.z;
    const Wide bx = Wide{plane.points[2].x} - p0.x, by = Wide{plane.points[2].y} - p0.y,
               bz = Wide{plane.points[2].z} - p0.z;
    return {ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
}

// Positive in front of the plane, negative behind, zero on it.
int SideOf(const IntPoint& p, const ClipPlane& plane, const WideNormal& n) {
    const IntPoint& p0 = plane.points[0];
    const Wide d = (Wide{p.x} - p0.x) * n.x + (Wide{p.y} - p0.y) * n.y + (Wide{p.z} - p0.z) * n.z;
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

// Whether some corner lies strictly on `side` (1 front, -1 back).
bool HasCornerOn(const CMapBrush& brush, const ClipPlane& plane, int side) {
    const WideNormal n = NormalOf(plane);
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (SideOf(brush.m_vertices[v], plane, n) == side)
            return true;
    }
    return false;
}

// A face every corner of which lies beyond the cut cannot bound the kept part.
bool FaceLiesBeyond(const CMapBrush& brush, int face, const ClipPlane& plane, const WideNormal& n,
                    int keptSide) {
    const BrushFace& f = brush.m_faces[face];
    for (int k = 0; k < f.numPoints; ++k) {
        if (SideOf(brush.m_vertices[f.vertexIndex[k]], plane, n) != -keptSide)
            return false;
    }
    return true;
}

void CopyTexture(FaceDef& def, const BrushFace& face) {
    std::memcpy(def.texture, face.texture, sizeof def.texture);
    def.xOffset = face.xOffset;
    def.yOffset = face.yOffset;
    def.rotation = face.rotation;
    def.xScale = face.xScale;
    def.yScale = face.yScale;
}

// The cut face of the part on `keptSide`: its outward normal points away
// from that part, so the points run the other way round for the front.
FaceDef CutFace(const ClipPlane& plane, int keptSide, const char* texture) {
    FaceDef def;
    def.points[0] = plane.points[0];
    def.points[1] = plane.points[keptSide > 0 ? 1 : 2];
    def.points[2] = plane.points[keptSide > 0 ? 2 : 1];
    std::strncpy(def.texture, texture, kMaxTextureName);
    def.xScale = 1.0f;
    def.yScale = 1.0f;
    return def;
}

// Faces a cut left with no polygon are dropped rather than written back: the
// cut plane bounds the part where they did.
void DropHiddenFaces(CMapBrush& part) {
    if (!part.m_readPlanes)
        return;
    part.m_readPlanes->hidden.clear();
    if (part.m_readPlanes->points.empty() && part.m_readPlanes->planeTexts.empty())
        part.m_readPlanes.reset();
}

void CarryTexts(const CMapBrush& brush, CMapBrush& part, const int* sourceFace, int numDefFaces,
                const int* built) {
    if (!brush.m_keptText)
        return;
    for (int i = 0; i < numDefFaces; ++i) {
        if (sourceFace[i] < 0 || built[i] < 0)
            continue;
        if (const std::string* text = brush.m_keptText->FindTextureText(sourceFace[i]))
            part.KeepTextureText(built[i], *text);
    }
}

void CarryAxes(const CMapBrush& brush, CMapBrush& part, const int* sourceFace, int numDefFaces,
               const int* built) {
    if (!brush.HasValveAxes())
        return;
    part.m_valveAxes.assign(part.m_numFaces, ValveAxes());
    for (int i = 0; i < numDefFaces; ++i) {
        if (built[i] < 0)
            continue;
        if (sourceFace[i] >= 0)
            part.m_valveAxes[built[i]] = brush.m_valveAxes[sourceFace[i]];
        else
            part.m_valveAxes[built[i]] =
                MakeValveAxes(GetFaceDirection(part, built[i]), StandardTexture());
    }
}

// The part of the brush on `keptSide` of the plane, which crosses it.
ClipProblem BuildPart(const CMapBrush& brush, const ClipPlane& plane, int keptSide,
                      const char* texture, CMapBrush& part) {
    const WideNormal n = NormalOf(plane);
    BrushDef def;
    int sourceFace[kMaxBrushFaces];
    for (int f = 0; f < brush.m_numFaces; ++f) {
        if (FaceLiesBeyond(brush, f, plane, n, keptSide))
            continue;
        if (def.numFaces + 1 >= kMaxBrushFaces)
            return ClipProblem::kTooManyFaces; // no room left for the cut face
        FaceDef& face = def.faces[def.numFaces];
        brush.GetPlanePoints(f, face.points, false);
        CopyTexture(face, brush.m_faces[f]);
        sourceFace[def.numFaces++] = f;
    }
    const int cutIndex = def.numFaces;
    def.faces[def.numFaces] = CutFace(plane, keptSide, texture);
    sourceFace[def.numFaces++] = -1;
    const int numDefFaces = def.numFaces;

    int built[kMaxBrushFaces];
    if (!BuildBrush(
            part, def, [](std::string_view) {}, built))
        return ClipProblem::kTooManyCorners;
    if (built[cutIndex] < 0 || part.m_numFaces < 4 || BrushVolume(part) <= 0.0)
        return ClipProblem::kNoVolume;
    if (!IsClosedBrush(part))
        return ClipProblem::kOpen;
    DropHiddenFaces(part);
    CarryTexts(brush, part, sourceFace, numDefFaces, built);
    CarryAxes(brush, part, sourceFace, numDefFaces, built);
    return ClipProblem::kNone;
}

// Twice the area of a face's polygon.
double FaceArea(const CMapBrush& brush, int face) {
    const BrushFace& f = brush.m_faces[face];
    Vec3d sum;
    const Vec3d first = ToVec3d(brush.m_vertices[f.vertexIndex[0]]);
    for (int k = 2; k < f.numPoints; ++k) {
        const Vec3d a = ToVec3d(brush.m_vertices[f.vertexIndex[k - 1]]) - first;
        const Vec3d b = ToVec3d(brush.m_vertices[f.vertexIndex[k]]) - first;
        sum = sum + Cross(a, b);
    }
    return Length(sum);
}

} // namespace

ClipSide NextClipSide(ClipSide side) {
    switch (side) {
    case ClipSide::kFront:
        return ClipSide::kBack;
    case ClipSide::kBack:
        return ClipSide::kBoth;
    case ClipSide::kBoth:
        break;
    }
    return ClipSide::kFront;
}

bool SpansPlane(const ClipPlane& plane) {
    const WideNormal n = NormalOf(plane);
    return n.x != 0 || n.y != 0 || n.z != 0;
}

ClipResult ClipBrush(const CMapBrush& brush, const ClipPlane& plane, ClipSide side,
                     const char* texture) {
    ClipResult result;
    if (!brush.IsHeld() || brush.m_numVertices == 0) {
        result.problem = ClipProblem::kNotHeld;
        return result;
    }
    const bool inFront = HasCornerOn(brush, plane, 1);
    const bool behind = HasCornerOn(brush, plane, -1);
    if (!inFront || !behind) {
        // Not crossed: the brush stays whole on its side and nothing is left
        // on the other.
        const bool keptWhole = side == ClipSide::kBoth || (inFront == (side == ClipSide::kFront));
        if (!keptWhole)
            result.problem = ClipProblem::kNoVolume;
        return result;
    }
    for (const int keptSide : {1, -1}) {
        if (side == (keptSide > 0 ? ClipSide::kBack : ClipSide::kFront))
            continue;
        std::optional<CMapBrush>& part = keptSide > 0 ? result.front : result.back;
        part.emplace();
        result.problem = BuildPart(brush, plane, keptSide, texture, *part);
        if (result.problem != ClipProblem::kNone) {
            result.front.reset();
            result.back.reset();
            return result;
        }
    }
    return result;
}

const char* LargestFaceTexture(const CMapBrush& brush) {
    int largest = 0;
    double largestArea = -1.0;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const double area = FaceArea(brush, f);
        if (area > largestArea) {
            largest = f;
            largestArea = area;
        }
    }
    return brush.m_numFaces > 0 ? brush.m_faces[largest].texture : "";
}

bool IsClosedBrush(const CMapBrush& brush) {
    // A closed surface has no area seen from any side: its faces' area
    // vectors add up to nothing. Corners that rounding left on another face's
    // edge (a face has them, its neighbour runs straight past) leave a sliver
    // of a unit's width; a face missing leaves its whole area.
    Vec3d sum;
    double total = 0.0;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        Vec3d area;
        for (int k = 0; k < face.numPoints; ++k)
            area =
                area + Cross(ToVec3d(brush.m_vertices[face.vertexIndex[k]]),
                             ToVec3d(brush.m_vertices[face.vertexIndex[(k + 1) % face.numPoints]]));
        sum = sum + area;
        total += Length(area);
    }
    return brush.m_numFaces >= 4 && Length(sum) <= 0.01 * total + 1.0;
}

const char* DescribeClipProblem(ClipProblem problem) {
    switch (problem) {
    case ClipProblem::kNone:
        break;
    case ClipProblem::kNoVolume:
        return "would have no volume";
    case ClipProblem::kTooManyFaces:
        return "would have more faces than a brush can hold";
    case ClipProblem::kTooManyCorners:
        return "would have more corners than a brush can hold";
    case ClipProblem::kOpen:
        return "would not be closed";
    case ClipProblem::kNotHeld:
        return "is kept as text and cannot be cut";
    }
    return "";
}
