#include "app/CPointEntityStateStep.h"

#include "map/CMapEdits.h"

CPointEntityStateStep::CPointEntityStateStep(CTolveDoc& doc, const QString& text,
                                             CPointEntity& entity, const CPointEntity& before,
                                             const CPointEntity& after)
    : QUndoCommand(text), m_doc(doc), m_entity(entity), m_before(before), m_after(after) {}

void CPointEntityStateStep::undo() {
    CMapEdits(m_doc).SetPointEntityKeys(m_entity, m_before);
}

void CPointEntityStateStep::redo() {
    CMapEdits(m_doc).SetPointEntityKeys(m_entity, m_after);
}
