#include "app/CBrushEditStep.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"

#include <algorithm>

CBrushEditStep::CBrushEditStep(CTolveDoc& doc, const QString& text, CMapBrush& brush,
                               const CMapBrush& before, Place from, Place to)
    : QUndoCommand(text), m_doc(doc), m_brush(brush), m_before(before), m_after(brush),
      m_from(from), m_to(to) {}

void CBrushEditStep::undo() {
    CMapEdits edits(m_doc);
    if (m_from.owner != m_to.owner)
        edits.MoveBrushToOwner(m_brush, m_to.owner, m_from.owner, m_from.index);
    edits.RestoreBrush(m_brush, m_before);
}

void CBrushEditStep::redo() {
    CMapEdits edits(m_doc);
    if (m_from.owner != m_to.owner)
        edits.MoveBrushToOwner(m_brush, m_from.owner, m_to.owner, m_to.index);
    edits.RestoreBrush(m_brush, m_after);
}

CBrushEditStep::Place FindBrushPlace(const CTolveDoc& doc, CModelEntity* owner,
                                     const CMapBrush& brush) {
    const BrushList& list = owner ? owner->m_brushes : doc.m_worldBrushes;
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const auto& entry) { return entry.get() == &brush; });
    return {owner, static_cast<size_t>(found - list.begin())};
}
