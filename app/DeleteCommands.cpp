#include "app/DeleteCommands.h"

#include "app/CBrushInsertionStep.h"
#include "app/CPointEntityInsertionStep.h"
#include "app/UndoCommands.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

void DeleteSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    // The map edits mark the document modified, so a deletion is never lost
    // on close, and let go of the selection before the views repaint.
    if (doc.m_editMode == kBrushMode && doc.m_selectedBrush) {
        PerformStep(context,
                    CBrushInsertionStep::Removing(doc, QStringLiteral("Delete Brush"),
                                                  doc.m_selectedEntity, *doc.m_selectedBrush));
    } else if (doc.m_editMode == kEntityMode && doc.m_selectedPointEntity) {
        PerformStep(context, CPointEntityInsertionStep::Removing(
                                 doc, QStringLiteral("Delete Entity"), *doc.m_selectedPointEntity));
    }
}
