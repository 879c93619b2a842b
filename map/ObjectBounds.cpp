#include "map/ObjectBounds.h"

#include "map/CMapBrush.h"
#include "map/CPointEntity.h"

std::optional<IntBox> BoundsOf(const CMapBrush& brush) {
    std::optional<IntBox> box;
    for (int v = 0; v < brush.m_numVertices; ++v)
        Grow(box, brush.m_vertices[v]);
    return box;
}

IntBox BoundsOf(const CPointEntity& entity) {
    return IntBox{entity.m_origin, entity.m_origin};
}
