#include "app/CHistoryEntityEditor.h"

#include "app/CEntityKeysStep.h"
#include "app/CModelEntityInsertionStep.h"
#include "app/UndoCommands.h"
#include "widgets/CTolveView.h"

CTolveDoc& CHistoryEntityEditor::Doc() const {
    return m_context.view->GetDocument();
}

void CHistoryEntityEditor::AddModelEntity(std::unique_ptr<CModelEntity> entity) {
    PerformStep(m_context, CModelEntityInsertionStep::Adding(Doc(), QStringLiteral("New Entity"),
                                                             std::move(entity)));
}

void CHistoryEntityEditor::RemoveModelEntity(CModelEntity& entity) {
    PerformStep(m_context, CModelEntityInsertionStep::Removing(
                               Doc(), QStringLiteral("Delete Entity"), entity));
}

void CHistoryEntityEditor::SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys) {
    PerformStep(m_context, std::make_unique<CEntityKeysStep>(Doc(), QStringLiteral("Entity Keys"),
                                                             entity, keys));
}

void CHistoryEntityEditor::SetWorldKeys(const CWorldKeys& keys) {
    PerformStep(m_context,
                std::make_unique<CEntityKeysStep>(Doc(), QStringLiteral("World Keys"), keys));
}
