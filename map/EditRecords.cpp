#include "map/EditRecords.h"

#include "map/CTolveDoc.h"
#include "map/ObjectBounds.h"
#include "map/ObjectLists.h"

void CBrushStateRecord::Exchange(CTolveDoc& doc) {
    const std::optional<IntBox> before = BoundsOf(m_brush);
    m_other.ExchangeWith(m_brush);
    doc.BrushChanged(m_brush);
    doc.UpdateAllViews(AreaNotice(before, BoundsOf(m_brush)));
}

template <> void CStateRecord<CPointEntity>::Apply(CTolveDoc& doc, const CPointEntity& state) {
    const MapNotice notice = AreaNotice(BoundsOf(m_object), BoundsOf(state));
    m_object = state;
    doc.UpdateAllViews(notice);
}

template <>
void CStateRecord<CModelEntityKeys>::Apply(CTolveDoc& doc, const CModelEntityKeys& state) {
    m_object = state;
    doc.UpdateAllViews(MapNotice::Repaint());
}

template <> void CStateRecord<CWorldKeys>::Apply(CTolveDoc& doc, const CWorldKeys& state) {
    m_object = state;
    doc.UpdateAllViews(MapNotice::Repaint());
}

template <class Object>
std::unique_ptr<CPlacementRecord<Object>>
CPlacementRecord<Object>::Added(CModelEntity* owner, Object& object, size_t index) {
    return std::unique_ptr<CPlacementRecord>(new CPlacementRecord(owner, object, index, true));
}

template <class Object>
std::unique_ptr<CPlacementRecord<Object>>
CPlacementRecord<Object>::Removed(CModelEntity* owner, std::unique_ptr<Object> object,
                                  size_t index) {
    std::unique_ptr<CPlacementRecord> record(new CPlacementRecord(owner, *object, index, false));
    record->m_held = std::move(object);
    return record;
}

template <> void CPlacementRecord<CMapBrush>::PutIn(CTolveDoc& doc) {
    PutBrush(doc, m_owner, std::move(m_held), m_index);
}

template <> void CPlacementRecord<CMapBrush>::TakeOut(CTolveDoc& doc) {
    m_held = TakeBrush(doc, m_owner, m_object, m_index);
}

template <> void CPlacementRecord<CPointEntity>::PutIn(CTolveDoc& doc) {
    PutPointEntity(doc, std::move(m_held), m_index);
}

template <> void CPlacementRecord<CPointEntity>::TakeOut(CTolveDoc& doc) {
    m_held = TakePointEntity(doc, m_object, m_index);
}

template <> void CPlacementRecord<CModelEntity>::PutIn(CTolveDoc& doc) {
    PutModelEntity(doc, std::move(m_held), m_index);
}

template <> void CPlacementRecord<CModelEntity>::TakeOut(CTolveDoc& doc) {
    m_held = TakeModelEntity(doc, m_object, m_index);
}

namespace {

void ForgetSourceOf(const CMapBrush& brush) {
    brush.m_source.Forget();
}

void ForgetSourceOf(const CPointEntity& entity) {
    entity.m_source.Forget();
}

void ForgetSourceOf(const CModelEntity& entity) {
    entity.m_source.Forget();
    for (const auto& brush : entity.m_brushes)
        brush->m_source.Forget();
}

} // namespace

// Only an object out of the map is the record's; one in it gets its text
// from the save.
template <class Object> void CPlacementRecord<Object>::ForgetSource() {
    if (m_held)
        ForgetSourceOf(*m_held);
}

template class CPlacementRecord<CMapBrush>;
template class CPlacementRecord<CPointEntity>;
template class CPlacementRecord<CModelEntity>;

void COwnerRecord::Undo(CTolveDoc& doc) {
    size_t toIndex = 0;
    MoveBrushBetween(doc, m_brush, m_to, m_from, toIndex, m_fromIndex);
}

void COwnerRecord::Redo(CTolveDoc& doc) {
    size_t fromIndex = 0;
    MoveBrushBetween(doc, m_brush, m_from, m_to, fromIndex, m_toIndex);
}

void CContentsRecord::Undo(CTolveDoc& doc) {
    ExchangeContents(doc, m_other);
}

void CContentsRecord::Redo(CTolveDoc& doc) {
    ExchangeContents(doc, m_other);
}
