#include "map/CSelectionSet.h"

#include "map/CModelEntity.h"

#include <bit>

void CSelectionSet::Clear() {
    m_brushes.clear();
    m_pointEntities.clear();
    m_newest = nullptr;
}

uint64_t CSelectionSet::PartsOf(const CMapBrush& brush) const {
    if (m_brushes.empty())
        return 0; // the common case while drawing: no lookup at all
    const uint64_t* found = m_brushes.Find(&brush);
    return found ? *found : 0;
}

bool CSelectionSet::ContainsPart(const CMapBrush& brush, int part) const {
    return (PartsOf(brush) & PartBit(part)) != 0;
}

bool CSelectionSet::Contains(const CPointEntity& entity) const {
    return !m_pointEntities.empty() && m_pointEntities.contains(const_cast<CPointEntity*>(&entity));
}

void CSelectionSet::Add(CMapBrush& brush, uint64_t parts) {
    if (parts == 0)
        return;
    m_brushes[&brush] |= parts;
    m_newest = &brush;
}

void CSelectionSet::Remove(const CMapBrush& brush, uint64_t parts) {
    const uint64_t* found = m_brushes.Find(&brush);
    if (!found)
        return;
    const uint64_t left = *found & ~parts;
    if (left == 0)
        Forget(brush);
    else
        m_brushes[const_cast<CMapBrush*>(&brush)] = left;
}

void CSelectionSet::Add(CPointEntity& entity) {
    m_pointEntities.insert(&entity);
}

void CSelectionSet::Remove(const CPointEntity& entity) {
    m_pointEntities.erase(const_cast<CPointEntity*>(&entity));
}

void CSelectionSet::Merge(const CSelectionSet& other) {
    CMapBrush* const newest = other.m_newest ? other.m_newest : m_newest;
    for (const auto& [brush, parts] : other.m_brushes)
        Add(*brush, parts);
    m_newest = newest;
    m_pointEntities.insert(other.m_pointEntities.begin(), other.m_pointEntities.end());
}

void CSelectionSet::Toggle(CMapBrush& brush, uint64_t parts) {
    if ((PartsOf(brush) & parts) == parts)
        Remove(brush, parts);
    else
        Add(brush, parts);
}

void CSelectionSet::Toggle(CPointEntity& entity) {
    if (Contains(entity))
        Remove(entity);
    else
        Add(entity);
}

void CSelectionSet::Forget(const CPointEntity& entity) {
    Remove(entity);
}

void CSelectionSet::Forget(const CModelEntity& entity) {
    for (const auto& brush : entity.m_brushes)
        Forget(*brush);
}

size_t CSelectionSet::CountParts() const {
    size_t count = m_pointEntities.size();
    for (const auto& [brush, parts] : m_brushes)
        count += static_cast<size_t>(std::popcount(parts));
    return count;
}
