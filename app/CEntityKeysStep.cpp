#include "app/CEntityKeysStep.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"

CEntityKeysStep::CEntityKeysStep(CTolveDoc& doc, const QString& text, CModelEntity& entity,
                                 const CModelEntityKeys& after)
    : QUndoCommand(text), m_doc(doc), m_entity(&entity), m_entityBefore(entity),
      m_entityAfter(after) {}

CEntityKeysStep::CEntityKeysStep(CTolveDoc& doc, const QString& text, const CWorldKeys& after)
    : QUndoCommand(text), m_doc(doc), m_worldBefore(doc), m_worldAfter(after) {}

void CEntityKeysStep::Apply(const CModelEntityKeys& entityKeys, const CWorldKeys& worldKeys) {
    if (m_entity)
        CMapEdits(m_doc).SetModelEntityKeys(*m_entity, entityKeys);
    else
        CMapEdits(m_doc).SetWorldKeys(worldKeys);
}

void CEntityKeysStep::undo() {
    Apply(m_entityBefore, m_worldBefore);
}

void CEntityKeysStep::redo() {
    Apply(m_entityAfter, m_worldAfter);
}
