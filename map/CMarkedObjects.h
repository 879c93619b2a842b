#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_set>

class CMapBrush;
class CModelEntity;
class CPointEntity;
class CSelectionSet;

// Brushes and point entities the editor marks for a while: those hidden, or
// those locked. It is the editor's state, not the map's: the file keeps them
// as they are, and undo does not bring a mark back. It holds only objects in
// the map (one leaving the map is forgotten), so no address outlives its
// object.
class CMarkedObjects {
public:
    bool IsEmpty() const { return m_brushes.empty() && m_pointEntities.empty(); }
    size_t Count() const { return m_brushes.size() + m_pointEntities.size(); }
    // Cheap for an empty set: the views ask for every object they draw.
    bool Contains(const CMapBrush& brush) const {
        return !m_brushes.empty() && m_brushes.contains(&brush);
    }
    bool Contains(const CPointEntity& entity) const {
        return !m_pointEntities.empty() && m_pointEntities.contains(&entity);
    }

    // Marks the brushes and point entities of `set`; a brush with only some
    // corners or faces in it is marked whole. Returns how many were not
    // marked before.
    size_t Add(const CSelectionSet& set);
    // Takes the mark off the brushes and point entities of `set`; returns
    // how many of them had it.
    size_t Remove(const CSelectionSet& set);
    void Clear();
    // Takes the marked objects out of `set`.
    void RemoveFrom(CSelectionSet& set) const;

    void Forget(const CMapBrush& brush);
    void Forget(const CPointEntity& entity);
    void Forget(const CModelEntity& entity);

    // Counts the changes, so that whoever keeps a picture of what is shown
    // knows when to build it again.
    uint64_t GetGeneration() const { return m_generation; }

private:
    std::unordered_set<const CMapBrush*> m_brushes;
    std::unordered_set<const CPointEntity*> m_pointEntities;
    uint64_t m_generation = 0;
};
