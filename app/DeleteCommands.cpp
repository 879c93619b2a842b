#include "app/DeleteCommands.h"

#include "map/CMapEdits.h"
#include "widgets/CTolveView.h"

void DeleteSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    // The map edits mark the document modified, so a deletion is never lost
    // on close, and let go of the selection before the views repaint.
    if (doc.m_editMode == kBrushMode && doc.m_selectedBrush)
        CMapEdits(doc).RemoveBrush(doc.m_selectedEntity, *doc.m_selectedBrush);
    else if (doc.m_editMode == kEntityMode && doc.m_selectedPointEntity)
        CMapEdits(doc).RemovePointEntity(*doc.m_selectedPointEntity);
}
