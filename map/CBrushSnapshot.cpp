#include "map/CBrushSnapshot.h"

#include "map/OwnedCopy.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

// Puts `used` at the start of `table`, whose first `count` slots were in
// use; the slots it used beyond the new ones go back to what a new brush
// holds, so that no trace of the other state is left in them.
template <class T, size_t N> void PutInto(T (&table)[N], uint8_t& count, std::span<const T> used) {
    std::copy(used.begin(), used.end(), table);
    std::fill(table + used.size(), table + std::max<size_t>(count, used.size()), T{});
    count = static_cast<uint8_t>(used.size());
}

} // namespace

CBrushSnapshot::Tables::Tables(const CMapBrush& brush)
    : block(std::make_unique_for_overwrite<std::byte[]>(brush.m_numFaces * sizeof(BrushFace) +
                                                        brush.m_numVertices * sizeof(IntPoint))),
      numVertices(brush.m_numVertices), numFaces(brush.m_numFaces) {
    // Both kinds need no more alignment than the block has from the start,
    // nor the corners more than the faces' size keeps.
    static_assert(alignof(BrushFace) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    static_assert(sizeof(BrushFace) % alignof(IntPoint) == 0);
    std::byte* at = block.get();
    std::uninitialized_copy(brush.m_faces, brush.m_faces + numFaces,
                            reinterpret_cast<BrushFace*>(at));
    std::uninitialized_copy(brush.m_vertices, brush.m_vertices + numVertices,
                            reinterpret_cast<IntPoint*>(at + numFaces * sizeof(BrushFace)));
}

std::span<const BrushFace> CBrushSnapshot::Tables::Faces() const {
    return {std::launder(reinterpret_cast<const BrushFace*>(block.get())), numFaces};
}

std::span<const IntPoint> CBrushSnapshot::Tables::Vertices() const {
    const std::byte* at = block.get() + numFaces * sizeof(BrushFace);
    return {std::launder(reinterpret_cast<const IntPoint*>(at)), numVertices};
}

CBrushSnapshot::CBrushSnapshot(const CMapBrush& brush)
    : m_tables(brush), m_readPlanes(CopyOf(brush.m_readPlanes)),
      m_keptText(CopyOf(brush.m_keptText)), m_valveAxes(brush.m_valveAxes),
      m_source(brush.m_source) {}

void CBrushSnapshot::ExchangeWith(CMapBrush& brush) {
    Tables held(brush);
    PutInto(brush.m_vertices, brush.m_numVertices, m_tables.Vertices());
    PutInto(brush.m_faces, brush.m_numFaces, m_tables.Faces());
    m_tables = std::move(held);
    std::swap(brush.m_readPlanes, m_readPlanes);
    std::swap(brush.m_keptText, m_keptText);
    std::swap(brush.m_valveAxes, m_valveAxes);
    std::swap(brush.m_source, m_source);
    brush.ForgetBounds();
}

bool CBrushSnapshot::Matches(const CMapBrush& brush) const {
    const std::span<const IntPoint> vertices = m_tables.Vertices();
    const std::span<const BrushFace> faces = m_tables.Faces();
    return std::equal(vertices.begin(), vertices.end(), brush.m_vertices,
                      brush.m_vertices + brush.m_numVertices) &&
           std::equal(faces.begin(), faces.end(), brush.m_faces,
                      brush.m_faces + brush.m_numFaces) &&
           m_valveAxes == brush.m_valveAxes && SamePointee(m_readPlanes, brush.m_readPlanes) &&
           SamePointee(m_keptText, brush.m_keptText);
}
