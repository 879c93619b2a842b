#include "app/CBrushInsertionStep.h"

#include "map/CMapEdits.h"

CBrushInsertionStep::CBrushInsertionStep(CTolveDoc& doc, const QString& text, CModelEntity* owner,
                                         CMapBrush& brush, bool adds)
    : QUndoCommand(text), m_doc(doc), m_owner(owner), m_brush(brush), m_adds(adds) {}

std::unique_ptr<CBrushInsertionStep>
CBrushInsertionStep::Adding(CTolveDoc& doc, const QString& text, CModelEntity* owner,
                            std::unique_ptr<CMapBrush> brush, size_t index) {
    std::unique_ptr<CBrushInsertionStep> step(
        new CBrushInsertionStep(doc, text, owner, *brush, true));
    step->m_held = std::move(brush);
    step->m_index = index;
    return step;
}

std::unique_ptr<CBrushInsertionStep> CBrushInsertionStep::Removing(CTolveDoc& doc,
                                                                   const QString& text,
                                                                   CModelEntity* owner,
                                                                   CMapBrush& brush) {
    return std::unique_ptr<CBrushInsertionStep>(
        new CBrushInsertionStep(doc, text, owner, brush, false));
}

void CBrushInsertionStep::PutIn() {
    m_index = CMapEdits(m_doc).AddBrush(m_owner, std::move(m_held), m_index).index;
}

void CBrushInsertionStep::TakeOut() {
    CMapChange change;
    m_held = CMapEdits(m_doc).RemoveBrush(m_owner, m_brush, &change);
    m_index = change.index;
}

void CBrushInsertionStep::undo() {
    m_adds ? TakeOut() : PutIn();
}

void CBrushInsertionStep::redo() {
    m_adds ? PutIn() : TakeOut();
}
