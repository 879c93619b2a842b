#include "map/CBrushSnapshot.h"

#include "map/OwnedCopy.h"

#include <algorithm>

namespace {

// Puts `used` at the start of `table`, whose first `count` slots were in
// use; the slots it used beyond the new ones go back to what a new brush
// holds, so that no trace of the other state is left in them.
template <class T, size_t N>
void PutInto(T (&table)[N], uint8_t& count, const std::vector<T>& used) {
    std::copy(used.begin(), used.end(), table);
    std::fill(table + used.size(), table + std::max<size_t>(count, used.size()), T{});
    count = static_cast<uint8_t>(used.size());
}

} // namespace

CBrushSnapshot::CBrushSnapshot(const CMapBrush& brush)
    : m_vertices(brush.m_vertices, brush.m_vertices + brush.m_numVertices),
      m_faces(brush.m_faces, brush.m_faces + brush.m_numFaces),
      m_readPlanes(CopyOf(brush.m_readPlanes)), m_keptText(CopyOf(brush.m_keptText)),
      m_valveAxes(brush.m_valveAxes) {}

void CBrushSnapshot::ExchangeWith(CMapBrush& brush) {
    std::vector<IntPoint> vertices(brush.m_vertices, brush.m_vertices + brush.m_numVertices);
    std::vector<BrushFace> faces(brush.m_faces, brush.m_faces + brush.m_numFaces);
    PutInto(brush.m_vertices, brush.m_numVertices, m_vertices);
    PutInto(brush.m_faces, brush.m_numFaces, m_faces);
    m_vertices = std::move(vertices);
    m_faces = std::move(faces);
    std::swap(brush.m_readPlanes, m_readPlanes);
    std::swap(brush.m_keptText, m_keptText);
    std::swap(brush.m_valveAxes, m_valveAxes);
    brush.ForgetBounds();
}

bool CBrushSnapshot::Matches(const CMapBrush& brush) const {
    return std::equal(m_vertices.begin(), m_vertices.end(), brush.m_vertices,
                      brush.m_vertices + brush.m_numVertices) &&
           std::equal(m_faces.begin(), m_faces.end(), brush.m_faces,
                      brush.m_faces + brush.m_numFaces) &&
           m_valveAxes == brush.m_valveAxes && SamePointee(m_readPlanes, brush.m_readPlanes) &&
           SamePointee(m_keptText, brush.m_keptText);
}
