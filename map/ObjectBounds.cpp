#include "map/ObjectBounds.h"

#include "map/CMapBrush.h"
#include "map/CPointEntity.h"

std::optional<IntBox> BoundsOf(const CMapBrush& brush) {
    if (const IntBox* box = brush.GetBounds())
        return *box;
    return std::nullopt;
}

IntBox BoundsOf(const CPointEntity& entity) {
    return IntBox{entity.m_origin, entity.m_origin};
}
