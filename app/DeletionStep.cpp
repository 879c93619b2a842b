#include "app/DeletionStep.h"

#include "app/CBrushInsertionStep.h"
#include "app/CPointEntityInsertionStep.h"
#include "map/CTolveDoc.h"

std::unique_ptr<QUndoCommand> MakeDeletionStep(CTolveDoc& doc) {
    // The map edits mark the document modified, so a deletion is never lost
    // on close, and let go of the selection before the views repaint.
    if (doc.m_editMode == kBrushMode && doc.m_selectedBrush)
        return CBrushInsertionStep::Removing(doc, QStringLiteral("Delete Brush"),
                                             doc.m_selectedEntity, *doc.m_selectedBrush);
    if (doc.m_editMode == kEntityMode && doc.m_selectedPointEntity)
        return CPointEntityInsertionStep::Removing(doc, QStringLiteral("Delete Entity"),
                                                   *doc.m_selectedPointEntity);
    return nullptr;
}
