#include "bench/BrushDeletion.h"

#include "map/CMapTransaction.h"

void DeleteSelectedBrush(CTolveDoc& doc) {
    CMapTransaction transaction(doc, "Delete Brush");
    transaction.Edits().RemoveBrush(doc.m_selectedEntity, *doc.m_selectedBrush);
    transaction.Commit();
}

void UndoLastStep(CTolveDoc& doc) {
    doc.GetHistory().Undo(doc);
}
