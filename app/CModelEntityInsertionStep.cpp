#include "app/CModelEntityInsertionStep.h"

#include "map/CMapEdits.h"

CModelEntityInsertionStep::CModelEntityInsertionStep(CTolveDoc& doc, const QString& text,
                                                     CModelEntity& entity, bool adds)
    : QUndoCommand(text), m_doc(doc), m_entity(entity), m_index(CMapEdits::kAtEnd), m_adds(adds) {}

std::unique_ptr<CModelEntityInsertionStep>
CModelEntityInsertionStep::Adding(CTolveDoc& doc, const QString& text,
                                  std::unique_ptr<CModelEntity> entity) {
    std::unique_ptr<CModelEntityInsertionStep> step(
        new CModelEntityInsertionStep(doc, text, *entity, true));
    step->m_held = std::move(entity);
    return step;
}

std::unique_ptr<CModelEntityInsertionStep>
CModelEntityInsertionStep::Removing(CTolveDoc& doc, const QString& text, CModelEntity& entity) {
    return std::unique_ptr<CModelEntityInsertionStep>(
        new CModelEntityInsertionStep(doc, text, entity, false));
}

void CModelEntityInsertionStep::PutIn() {
    m_index = CMapEdits(m_doc).AddModelEntity(std::move(m_held), m_index).index;
}

void CModelEntityInsertionStep::TakeOut() {
    CMapChange change;
    m_held = CMapEdits(m_doc).RemoveModelEntity(m_entity, &change);
    m_index = change.index;
}

void CModelEntityInsertionStep::undo() {
    m_adds ? TakeOut() : PutIn();
}

void CModelEntityInsertionStep::redo() {
    m_adds ? PutIn() : TakeOut();
}
