#include "bench/BrushDeletion.h"

#include "map/CMapTransaction.h"

void DeleteSelectedBrush(CTolveDoc& doc) {
    CMapTransaction transaction(doc, "Delete Brush");
    transaction.Edits().RemoveBrush(doc.GetEditorState().GetSelectedEntity(),
                                    *doc.GetEditorState().GetSelectedBrush());
    transaction.Commit();
}

void UndoLastStep(CTolveDoc& doc) {
    doc.GetHistory().Undo(doc);
}
