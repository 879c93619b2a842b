#include "map/CModelEntity.h"

namespace {

BrushList CopyBrushes(const BrushList& brushes) {
    BrushList copies;
    copies.reserve(brushes.size());
    for (const auto& brush : brushes)
        copies.push_back(std::make_unique<CMapBrush>(*brush));
    return copies;
}

} // namespace

CModelEntity::CModelEntity(const CModelEntity& other)
    : CModelEntityKeys(other), m_brushes(CopyBrushes(other.m_brushes)),
      m_mapOrder(other.m_mapOrder) {}

CModelEntity& CModelEntity::operator=(const CModelEntity& other) {
    if (this != &other) {
        CModelEntityKeys::operator=(other);
        m_brushes = CopyBrushes(other.m_brushes);
        m_mapOrder = other.m_mapOrder;
    }
    return *this;
}
