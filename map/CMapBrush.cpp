#include "map/CMapBrush.h"

#include "map/OwnedCopy.h"

#include <algorithm>

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
      m_valveAxes(other.m_valveAxes) {
    std::copy(std::begin(other.m_vertices), std::end(other.m_vertices), m_vertices);
    std::copy(std::begin(other.m_faces), std::end(other.m_faces), m_faces);
}

const IntBox* CMapBrush::GetBounds() const {
    if (m_numVertices == 0)
        return nullptr;
    if (!m_boundsKnown) {
        std::optional<IntBox> box;
        for (int v = 0; v < m_numVertices; ++v)
            Grow(box, m_vertices[v]);
        m_bounds = *box;
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
