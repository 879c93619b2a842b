#include "app/CPointEntityInsertionStep.h"

#include "map/CMapEdits.h"

CPointEntityInsertionStep::CPointEntityInsertionStep(CTolveDoc& doc, const QString& text,
                                                     CPointEntity& entity, bool adds)
    : QUndoCommand(text), m_doc(doc), m_entity(entity), m_adds(adds) {}

std::unique_ptr<CPointEntityInsertionStep>
CPointEntityInsertionStep::Adding(CTolveDoc& doc, const QString& text,
                                  std::unique_ptr<CPointEntity> entity, size_t index) {
    std::unique_ptr<CPointEntityInsertionStep> step(
        new CPointEntityInsertionStep(doc, text, *entity, true));
    step->m_held = std::move(entity);
    step->m_index = index;
    return step;
}

std::unique_ptr<CPointEntityInsertionStep>
CPointEntityInsertionStep::Removing(CTolveDoc& doc, const QString& text, CPointEntity& entity) {
    return std::unique_ptr<CPointEntityInsertionStep>(
        new CPointEntityInsertionStep(doc, text, entity, false));
}

void CPointEntityInsertionStep::PutIn() {
    m_index = CMapEdits(m_doc).AddPointEntity(std::move(m_held), m_index).index;
}

void CPointEntityInsertionStep::TakeOut() {
    CMapChange change;
    m_held = CMapEdits(m_doc).RemovePointEntity(m_entity, &change);
    m_index = change.index;
}

void CPointEntityInsertionStep::undo() {
    m_adds ? TakeOut() : PutIn();
}

void CPointEntityInsertionStep::redo() {
    m_adds ? PutIn() : TakeOut();
}
