#include "map/CMapBrush.h"

#include "map/OwnedCopy.h"

#include <algorithm>
#include <bit>

namespace {

const std::string* FindFaceText(const std::vector<KeptFaceText>& texts, int face) {
    for (const KeptFaceText& kept : texts) {
        if (kept.face == face)
            return &kept.text;
    }
    return nullptr;
}

} // namespace

const KeptPlanePoints* ReadPlanePoints::FindKept(int face) const {
    for (const KeptPlanePoints& kept : points) {
        if (kept.face == face)
            return &kept;
    }
    return nullptr;
}

const IntPoint* ReadPlanePoints::FindPoints(int face) const {
    const KeptPlanePoints* kept = FindKept(face);
    return kept ? kept->points : nullptr;
}

const std::string* ReadPlanePoints::FindPlaneText(int face) const {
    return FindFaceText(planeTexts, face);
}

const std::string* KeptBrushText::FindTextureText(int face) const {
    return FindFaceText(textures, face);
}

void CMapBrush::ForgetTextureText(int face) {
    if (m_keptText)
        std::erase_if(m_keptText->textures,
                      [&](const KeptFaceText& kept) { return kept.face == face; });
}

void CMapBrush::KeepTextureText(int face, std::string text) {
    ForgetTextureText(face);
    if (!m_keptText)
        m_keptText = std::make_unique<KeptBrushText>();
    m_keptText->textures.push_back({face, std::move(text)});
}

void CMapBrush::GetPlanePoints(int face, IntPoint (&points)[3], bool asWritten) const {
    const KeptPlanePoints* kept = m_readPlanes ? m_readPlanes->FindKept(face) : nullptr;
    const IntPoint* read = kept && (asWritten || !kept->asWrittenOnly) ? kept->points : nullptr;
    for (int k = 0; k < 3; ++k)
        points[k] = read ? read[k] : m_vertices[m_faces[face].vertexIndex[k]];
}

CMapBrush::CMapBrush(const CMapBrush& other)
    : m_numVertices(other.m_numVertices), m_numFaces(other.m_numFaces),
      m_readPlanes(CopyOf(other.m_readPlanes)), m_keptText(CopyOf(other.m_keptText)),
      m_valveAxes(other.m_valveAxes), m_source(other.m_source) {
    // The slots past the counts hold nothing of the brush; they stay as a new
    // brush has them, and a copy of many brushes reads a sixth of each.
    std::copy(other.m_vertices, other.m_vertices + m_numVertices, m_vertices);
    std::copy(other.m_faces, other.m_faces + m_numFaces, m_faces);
}

namespace {

constexpr int kBoxCorners = 8;
constexpr int kBoxSides = 6;

// Which corner of `box` a point is, as three bits (x, y, z: set for the
// high side); -1 for a point that is none of them.
int BoxCornerOf(const IntBox& box, const IntPoint& p) {
    int corner = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const int32_t value = p.Component(axis);
        if (value == box.max.Component(axis) && value != box.min.Component(axis))
            corner |= 1 << axis;
        else if (value != box.min.Component(axis))
            return -1;
    }
    return corner;
}

bool OneBit(int bits) {
    return bits != 0 && (bits & (bits - 1)) == 0;
}

// Which side of the box four corners lie on (two per axis, the low one
// first), when they go round it one edge at a time; -1 otherwise.
int BoxSideOf(const int (&corners)[4]) {
    for (int k = 0; k < 4; ++k) {
        if (!OneBit(corners[k] ^ corners[(k + 1) % 4]))
            return -1;
    }
    if (corners[0] == corners[2] || corners[1] == corners[3])
        return -1;
    const int high = corners[0] & corners[1] & corners[2] & corners[3];
    const int low = ~(corners[0] | corners[1] | corners[2] | corners[3]) & 7;
    const int fixed = high | low;
    if (!OneBit(fixed))
        return -1;
    return 2 * std::countr_zero(static_cast<unsigned>(fixed)) + (high ? 1 : 0);
}

bool ShapedAsBox(const CMapBrush& brush, const IntBox& box) {
    if (brush.m_numVertices != kBoxCorners || brush.m_numFaces != kBoxSides)
        return false;
    int cornerOf[kBoxCorners];
    unsigned cornersSeen = 0;
    for (int v = 0; v < kBoxCorners; ++v) {
        cornerOf[v] = BoxCornerOf(box, brush.m_vertices[v]);
        if (cornerOf[v] < 0 || (cornersSeen >> cornerOf[v]) & 1)
            return false;
        cornersSeen |= 1u << cornerOf[v];
    }
    unsigned sidesSeen = 0;
    for (int f = 0; f < kBoxSides; ++f) {
        const BrushFace& face = brush.m_faces[f];
        if (face.numPoints != 4)
            return false;
        int corners[4];
        for (int k = 0; k < 4; ++k) {
            if (face.vertexIndex[k] >= kBoxCorners)
                return false;
            corners[k] = cornerOf[face.vertexIndex[k]];
        }
        const int side = BoxSideOf(corners);
        if (side < 0 || (sidesSeen >> side) & 1)
            return false;
        sidesSeen |= 1u << side;
    }
    return true;
}

} // namespace

const IntBox* CMapBrush::GetBounds() const {
    if (m_numVertices == 0)
        return nullptr;
    if (!m_boundsKnown) {
        std::optional<IntBox> box;
        for (int v = 0; v < m_numVertices; ++v)
            Grow(box, m_vertices[v]);
        m_bounds = *box;
        m_alignedBox = ShapedAsBox(*this, m_bounds);
        m_boundsKnown = true;
    }
    return &m_bounds;
}

CMapBrush& CMapBrush::operator=(const CMapBrush& other) {
    if (this != &other)
        *this = CMapBrush(other);
    return *this;
}

bool operator==(const CMapBrush& a, const CMapBrush& b) {
    return a.m_numVertices == b.m_numVertices && a.m_numFaces == b.m_numFaces &&
           std::equal(a.m_vertices, a.m_vertices + a.m_numVertices, b.m_vertices) &&
           std::equal(a.m_faces, a.m_faces + a.m_numFaces, b.m_faces) &&
           a.m_valveAxes == b.m_valveAxes && SamePointee(a.m_readPlanes, b.m_readPlanes) &&
           SamePointee(a.m_keptText, b.m_keptText);
}
