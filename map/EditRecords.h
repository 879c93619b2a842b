#pragma once

#include "map/CBrushSnapshot.h"
#include "map/CEditRecord.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"
#include "map/MapFragment.h"

#include <cstddef>
#include <memory>
#include <optional>

// The records the map edits leave in a transaction.

// What an object was before the transaction changed it. What it became is
// taken when the step is undone, so a drag of many steps keeps one copy.
template <class State> class CStateRecord : public CEditRecord {
public:
    explicit CStateRecord(State& object) : m_object(object), m_before(object) {}

    void Undo(CTolveDoc& doc) override {
        m_after = m_object;
        Apply(doc, m_before);
    }
    void Redo(CTolveDoc& doc) override { Apply(doc, *m_after); }
    bool ChangesNothing() const override { return m_object == m_before; }
    void RestoreSource() override { SourceOf(m_object) = SourceOf(m_before); }
    void ForgetSource() override {
        SourceOf(m_before).Forget();
        if (m_after)
            SourceOf(*m_after).Forget();
    }
    void TakeSavedLead() override {
        SourceOf(m_before) = SourceOf(m_object).Lead();
        if (m_after)
            SourceOf(*m_after) = SourceOf(m_object).Lead();
    }

private:
    void Apply(CTolveDoc& doc, const State& state);
    static EntitySpan& SourceOf(const CPointEntity& entity) { return entity.m_source; }
    static EntitySpan& SourceOf(const CModelEntityKeys& keys) { return keys.m_source; }
    static EntitySpan& SourceOf(const CWorldKeys& world) { return world.m_worldSource; }

    State& m_object;
    State m_before;
    // Only once undone: an edit of a hundred thousand brushes keeps one copy
    // of each, not two.
    std::optional<State> m_after;
};

template <> void CStateRecord<CPointEntity>::Apply(CTolveDoc& doc, const CPointEntity& state);
template <>
void CStateRecord<CModelEntityKeys>::Apply(CTolveDoc& doc, const CModelEntityKeys& state);
template <> void CStateRecord<CWorldKeys>::Apply(CTolveDoc& doc, const CWorldKeys& state);

using CPointEntityStateRecord = CStateRecord<CPointEntity>;
using CModelEntityKeysRecord = CStateRecord<CModelEntityKeys>;
using CWorldKeysRecord = CStateRecord<CWorldKeys>;

// What a brush was before the transaction changed it, and once undone what it
// became: each undo and redo trades the brush's state for the one kept.
class CBrushStateRecord : public CEditRecord {
public:
    explicit CBrushStateRecord(CMapBrush& brush) : m_brush(brush), m_other(brush) {}

    void Undo(CTolveDoc& doc) override { Exchange(doc); }
    void Redo(CTolveDoc& doc) override { Exchange(doc); }
    bool ChangesNothing() const override { return m_other.Matches(m_brush); }
    void RestoreSource() override { m_other.GiveSourceTo(m_brush); }
    void ForgetSource() override { m_other.ForgetSource(); }
    void TakeSavedLead() override { m_other.TakeLeadOf(m_brush); }

private:
    void Exchange(CTolveDoc& doc);

    CMapBrush& m_brush;
    CBrushSnapshot m_other;
};

// An object put into one of the map's lists, or taken out of it. The record
// holds the object while it is out of the map.
template <class Object> class CPlacementRecord : public CEditRecord {
public:
    // Made after the object went in at `index`.
    static std::unique_ptr<CPlacementRecord> Added(CModelEntity* owner, Object& object,
                                                   size_t index);
    // Made after the object was taken out of `index`.
    static std::unique_ptr<CPlacementRecord> Removed(CModelEntity* owner,
                                                     std::unique_ptr<Object> object, size_t index);

    void Undo(CTolveDoc& doc) override { m_added ? TakeOut(doc) : PutIn(doc); }
    void Redo(CTolveDoc& doc) override { m_added ? PutIn(doc) : TakeOut(doc); }
    void ForgetSource() override;

private:
    CPlacementRecord(CModelEntity* owner, Object& object, size_t index, bool added)
        : m_owner(owner), m_object(object), m_index(index), m_added(added) {}
    void PutIn(CTolveDoc& doc);
    void TakeOut(CTolveDoc& doc);

    CModelEntity* m_owner; // of a brush; none: the world
    Object& m_object;
    std::unique_ptr<Object> m_held;
    size_t m_index;
    bool m_added;
};

template <> void CPlacementRecord<CMapBrush>::PutIn(CTolveDoc& doc);
template <> void CPlacementRecord<CMapBrush>::TakeOut(CTolveDoc& doc);
template <> void CPlacementRecord<CPointEntity>::PutIn(CTolveDoc& doc);
template <> void CPlacementRecord<CPointEntity>::TakeOut(CTolveDoc& doc);
template <> void CPlacementRecord<CModelEntity>::PutIn(CTolveDoc& doc);
template <> void CPlacementRecord<CModelEntity>::TakeOut(CTolveDoc& doc);

using CBrushPlacementRecord = CPlacementRecord<CMapBrush>;
using CPointEntityPlacementRecord = CPlacementRecord<CPointEntity>;
using CModelEntityPlacementRecord = CPlacementRecord<CModelEntity>;

// A brush that went from one owner's list to another's.
class COwnerRecord : public CEditRecord {
public:
    COwnerRecord(CMapBrush& brush, CModelEntity* from, size_t fromIndex, CModelEntity* to,
                 size_t toIndex)
        : m_brush(brush), m_from(from), m_to(to), m_fromIndex(fromIndex), m_toIndex(toIndex) {}

    void Undo(CTolveDoc& doc) override;
    void Redo(CTolveDoc& doc) override;

private:
    CMapBrush& m_brush;
    CModelEntity* m_from;
    CModelEntity* m_to;
    size_t m_fromIndex;
    size_t m_toIndex;
};

// The whole map traded for other contents, such as its file read again; the
// record holds what the map does not have right now.
class CContentsRecord : public CEditRecord {
public:
    explicit CContentsRecord(MapFragment other) : m_other(std::move(other)) {}

    void Undo(CTolveDoc& doc) override;
    void Redo(CTolveDoc& doc) override;

private:
    MapFragment m_other;
};
