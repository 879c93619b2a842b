#pragma once

#include "map/CPointerTable.h"

#include <cstddef>
#include <cstdint>
#include <unordered_set>

class CMapBrush;
class CModelEntity;
class CPointEntity;

// The objects a user gathered to act on together, in one edit mode: whole
// brushes, point entities, or corners or faces of any number of brushes.
// Each brush carries a mask of its chosen parts (corner or face indices);
// a whole brush has the mask kWholeBrush. The set does not know the mode:
// whoever fills it keeps to one, and a new mode empties it.
class CSelectionSet {
public:
    static constexpr uint64_t kWholeBrush = 1;

    bool IsEmpty() const { return m_brushes.empty() && m_pointEntities.empty(); }
    void Clear();

    // The chosen parts of `brush`; 0 when it is not in the set.
    uint64_t PartsOf(const CMapBrush& brush) const;
    // The memory PartsOf reads first for the brush, for a walk to ask for a
    // few brushes ahead (see CPointerTable::WhereToFind).
    const void* WherePartsOf(const CMapBrush& brush) const { return m_brushes.WhereToFind(&brush); }
    bool Contains(const CMapBrush& brush) const { return PartsOf(brush) != 0; }
    bool ContainsPart(const CMapBrush& brush, int part) const;
    bool Contains(const CPointEntity& entity) const;

    void Add(CMapBrush& brush, uint64_t parts);
    // Takes the parts away; a brush left with none leaves the set.
    void Remove(const CMapBrush& brush, uint64_t parts);
    void Add(CPointEntity& entity);
    void Remove(const CPointEntity& entity);
    // Everything in `other` joins.
    void Merge(const CSelectionSet& other);
    // Adds what is not in the set and removes what is.
    void Toggle(CMapBrush& brush, uint64_t parts);
    void Toggle(CPointEntity& entity);

    // An object leaving the map leaves the set; an entity takes its brushes.
    void Forget(const CMapBrush& brush) {
        m_brushes.erase(&brush);
        if (m_newest == &brush)
            m_newest = nullptr;
    }
    void Forget(const CPointEntity& entity);
    void Forget(const CModelEntity& entity);

    const CPointerTable<CMapBrush, uint64_t>& GetBrushes() const { return m_brushes; }
    const std::unordered_set<CPointEntity*>& GetPointEntities() const { return m_pointEntities; }
    // Whole brushes and point entities count one each, corners and faces
    // each one.
    size_t CountParts() const;
    // The brush added last, which the tools that act on one brush with the
    // others take as that one (Subtract cuts it out of the rest); null when
    // it has left the set since.
    CMapBrush* GetNewestBrush() const { return m_newest; }

    // Alike in what they hold, whichever came last.
    friend bool operator==(const CSelectionSet& a, const CSelectionSet& b) {
        return a.m_brushes == b.m_brushes && a.m_pointEntities == b.m_pointEntities;
    }

private:
    CPointerTable<CMapBrush, uint64_t> m_brushes;
    std::unordered_set<CPointEntity*> m_pointEntities;
    CMapBrush* m_newest = nullptr;
};

// The mask of one corner or face.
inline uint64_t PartBit(int part) {
    return part >= 0 && part < 64 ? uint64_t{1} << part : 0;
}
