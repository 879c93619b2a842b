#include "map/ConvexPiece.h"

#include "map/BrushDef.h"
#include "map/BrushGeometry.h"
#include "map/TextureProjection.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const GeometryReport kQuiet = [](std::string_view) {};

Plane PlaneOf(const PieceFace& face) {
    const Vec3d p = ToVec3d(face.points[0]);
    const Vec3d q = ToVec3d(face.points[1]);
    const Vec3d r = ToVec3d(face.points[2]);
    const Vec3d normal = Normalized(Cross(p - q, r - q));
    return {normal, Dot(normal, q)};
}

bool SamePlane(const Plane& a, const Plane& b) {
    return Dot(a.normal, b.normal) > 1.0 - 1e-12 && std::abs(a.dist - b.dist) < 1e-6;
}

// The polygon of each face, empty for a face that bounds nothing; a plane
// given twice has its polygon once.
std::vector<Winding> FacePolygons(const ConvexPiece& piece) {
    std::vector<Plane> planes;
    planes.reserve(piece.size());
    for (const PieceFace& face : piece)
        planes.push_back(PlaneOf(face));
    std::vector<Winding> polygons(piece.size());
    for (size_t i = 0; i < planes.size(); ++i) {
        if (Length(planes[i].normal) == 0.0)
            continue;
        bool repeated = false;
        for (size_t j = 0; j < i && !repeated; ++j)
            repeated = SamePlane(planes[i], planes[j]);
        if (repeated)
            continue;
        FaceDef unused;
        unused.xScale = unused.yScale = 1.0f;
        Winding winding = BasePolyForPlane(planes[i], unused, kQuiet);
        bool survives = true;
        for (size_t j = 0; j < planes.size() && survives; ++j) {
            if (j != i && Length(planes[j].normal) != 0.0)
                survives = ClipWinding(winding, {planes[j].normal * -1.0, -planes[j].dist}, kQuiet);
        }
        if (survives && winding.numPoints >= 3)
            polygons[i] = winding;
    }
    return polygons;
}

Vec3d PolygonAreaVector(const Winding& w) {
    Vec3d sum;
    for (int k = 1; k + 1 < w.numPoints; ++k)
        sum = sum + Cross(w.points[k] - w.points[0], w.points[k + 1] - w.points[0]);
    return sum * 0.5;
}

double VolumeOfPolygons(const std::vector<Winding>& polygons) {
    const Winding* first = nullptr;
    for (const Winding& w : polygons) {
        if (w.numPoints >= 3 && !first)
            first = &w;
    }
    if (!first)
        return 0.0;
    // Heights from a corner of the piece keep the sum's terms small.
    const Vec3d origin = first->points[0];
    double volume = 0.0;
    for (const Winding& w : polygons) {
        if (w.numPoints >= 3)
            volume += Dot(w.points[0] - origin, PolygonAreaVector(w)) / 3.0;
    }
    return std::abs(volume);
}

FaceDef DefOf(const PieceFace& face) {
    FaceDef def;
    std::copy(std::begin(face.points), std::end(face.points), def.points);
    def.xScale = def.yScale = 1.0f;
    if (!face.source || face.face >= face.source->m_numFaces)
        return def;
    const BrushFace& textured = face.source->m_faces[face.face];
    std::memcpy(def.texture, textured.texture, sizeof def.texture);
    def.xOffset = textured.xOffset;
    def.yOffset = textured.yOffset;
    def.rotation = textured.rotation;
    def.xScale = textured.xScale;
    def.yScale = textured.yScale;
    return def;
}

// Builds the faces; false when the corners do not fit a brush.
bool BuildFaces(CMapBrush& brush, const ConvexPiece& faces, int* built) {
    BrushDef def;
    def.numFaces = static_cast<uint8_t>(faces.size());
    for (size_t i = 0; i < faces.size(); ++i)
        def.faces[i] = DefOf(faces[i]);
    return BuildBrush(brush, def, kQuiet, built);
}

void GiveSourceAxes(CMapBrush& brush, const ConvexPiece& faces, const int* built) {
    const bool valve = std::any_of(faces.begin(), faces.end(), [](const PieceFace& face) {
        return face.source && face.source->HasValveAxes();
    });
    if (!valve)
        return;
    std::vector<ValveAxes> axes(brush.m_numFaces);
    for (size_t i = 0; i < faces.size(); ++i) {
        const int f = built[i];
        if (f < 0)
            continue;
        const PieceFace& face = faces[i];
        if (face.source && face.source->HasValveAxes()) {
            axes[f] = face.source->m_valveAxes[face.face];
            axes[f].line = -1;
        } else {
            axes[f] = MakeValveAxes(GetFaceNormal(brush, f), GetStandardTexture(brush, f));
        }
    }
    brush.m_valveAxes = std::move(axes);
}

} // namespace

ConvexPiece PieceOfBrush(const CMapBrush& brush) {
    ConvexPiece piece(brush.m_numFaces);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        brush.GetPlanePoints(f, piece[f].points, false);
        piece[f].source = &brush;
        piece[f].face = f;
    }
    return piece;
}

PieceFace Flipped(const PieceFace& face) {
    PieceFace flipped = face;
    std::swap(flipped.points[0], flipped.points[2]);
    return flipped;
}

double PieceVolume(const ConvexPiece& piece) {
    return VolumeOfPolygons(FacePolygons(piece));
}

std::optional<IntBox> PieceBounds(const ConvexPiece& piece) {
    std::optional<IntBox> box;
    for (const Winding& w : FacePolygons(piece)) {
        for (int k = 0; k < w.numPoints; ++k) {
            const Vec3d& p = w.points[k];
            Grow(box, IntPoint(static_cast<int32_t>(std::floor(p.x + 1e-6)),
                               static_cast<int32_t>(std::floor(p.y + 1e-6)),
                               static_cast<int32_t>(std::floor(p.z + 1e-6))));
            Grow(box, IntPoint(static_cast<int32_t>(std::ceil(p.x - 1e-6)),
                               static_cast<int32_t>(std::ceil(p.y - 1e-6)),
                               static_cast<int32_t>(std::ceil(p.z - 1e-6))));
        }
    }
    return box;
}

bool PieceContains(const ConvexPiece& piece, const Vec3d& point, double margin) {
    return std::all_of(piece.begin(), piece.end(), [&](const PieceFace& face) {
        const Plane plane = PlaneOf(face);
        return Dot(plane.normal, point) - plane.dist < -margin;
    });
}

ConvexPiece WithoutSpareFaces(const ConvexPiece& piece) {
    const std::vector<Winding> polygons = FacePolygons(piece);
    ConvexPiece kept;
    for (size_t i = 0; i < piece.size(); ++i) {
        if (polygons[i].numPoints >= 3)
            kept.push_back(piece[i]);
    }
    return kept;
}

SplitParts SplitPiece(const ConvexPiece& piece, const PieceFace& plane) {
    SplitParts parts;
    ConvexPiece back = piece;
    back.push_back(plane);
    if (PieceVolume(back) > kNoVolume)
        parts.back = WithoutSpareFaces(back);
    ConvexPiece front = piece;
    front.push_back(Flipped(plane));
    if (PieceVolume(front) > kNoVolume)
        parts.front = WithoutSpareFaces(front);
    return parts;
}

std::unique_ptr<CMapBrush> BuildPieceBrush(const ConvexPiece& piece, std::string& problem) {
    ConvexPiece faces = WithoutSpareFaces(piece);
    if (faces.size() > static_cast<size_t>(kMaxBrushFaces)) {
        problem = "it would have " + std::to_string(faces.size()) + " faces, more than the " +
                  std::to_string(kMaxBrushFaces) + " a brush may have";
        return nullptr;
    }
    auto brush = std::make_unique<CMapBrush>();
    int built[kMaxBrushFaces];
    bool fits = BuildFaces(*brush, faces, built);
    // Faces that gave no polygon at whole-number corners would be saved as
    // lines of their own; the brush is built again without them.
    if (fits && brush->m_readPlanes && !brush->m_readPlanes->hidden.empty()) {
        ConvexPiece shown;
        for (size_t i = 0; i < faces.size(); ++i) {
            if (built[i] >= 0)
                shown.push_back(faces[i]);
        }
        faces = std::move(shown);
        fits = BuildFaces(*brush, faces, built);
    }
    if (!fits) {
        problem = "it would have more than " + std::to_string(kMaxBrushVertices) + " corners";
        return nullptr;
    }
    if (brush->m_numFaces < 4 || !EveryEdgeJoinsTwoFaces(*brush) || BrushVolume(*brush) <= 0.0 ||
        (brush->m_readPlanes && !brush->m_readPlanes->hidden.empty())) {
        problem = "it would be too thin to have a volume at whole-number corners";
        return nullptr;
    }
    GiveSourceAxes(*brush, faces, built);
    return brush;
}

bool EveryEdgeJoinsTwoFaces(const CMapBrush& brush) {
    uint8_t uses[kMaxBrushVertices][kMaxBrushVertices] = {};
    int edges = 0;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        for (int k = 0; k < face.numPoints; ++k) {
            const int a = face.vertexIndex[k];
            const int b = face.vertexIndex[(k + 1) % face.numPoints];
            if (++uses[a][b] > 1)
                return false;
            ++edges;
        }
    }
    for (int a = 0; a < brush.m_numVertices; ++a) {
        for (int b = 0; b < brush.m_numVertices; ++b) {
            if (uses[a][b] != uses[b][a])
                return false;
        }
    }
    return edges > 0;
}
