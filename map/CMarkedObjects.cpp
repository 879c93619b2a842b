#include "map/CMarkedObjects.h"

#include "map/CModelEntity.h"
#include "map/CSelectionSet.h"

#include <vector>

size_t CMarkedObjects::Add(const CSelectionSet& set) {
    size_t added = 0;
    for (const auto& [brush, parts] : set.GetBrushes())
        added += m_brushes.insert(brush).second ? 1 : 0;
    for (const CPointEntity* entity : set.GetPointEntities())
        added += m_pointEntities.insert(entity).second ? 1 : 0;
    if (added != 0)
        ++m_generation;
    return added;
}

size_t CMarkedObjects::Remove(const CSelectionSet& set) {
    size_t removed = 0;
    for (const auto& [brush, parts] : set.GetBrushes())
        removed += m_brushes.erase(brush);
    for (const CPointEntity* entity : set.GetPointEntities())
        removed += m_pointEntities.erase(entity);
    if (removed != 0)
        ++m_generation;
    return removed;
}

void CMarkedObjects::Clear() {
    if (IsEmpty())
        return;
    m_brushes.clear();
    m_pointEntities.clear();
    ++m_generation;
}

void CMarkedObjects::RemoveFrom(CSelectionSet& set) const {
    if (IsEmpty())
        return;
    // Gathered first: the set must not change under its own walk.
    std::vector<const CMapBrush*> brushes;
    for (const auto& [brush, parts] : set.GetBrushes()) {
        if (Contains(*brush))
            brushes.push_back(brush);
    }
    for (const CMapBrush* brush : brushes)
        set.Forget(*brush);
    std::vector<const CPointEntity*> entities;
    for (const CPointEntity* entity : set.GetPointEntities()) {
        if (Contains(*entity))
            entities.push_back(entity);
    }
    for (const CPointEntity* entity : entities)
        set.Forget(*entity);
}

void CMarkedObjects::Forget(const CMapBrush& brush) {
    if (m_brushes.erase(&brush) != 0)
        ++m_generation;
}

void CMarkedObjects::Forget(const CPointEntity& entity) {
    if (m_pointEntities.erase(&entity) != 0)
        ++m_generation;
}

void CMarkedObjects::Forget(const CModelEntity& entity) {
    for (const auto& brush : entity.m_brushes)
        Forget(*brush);
}
