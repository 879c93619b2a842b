#include "app/DeleteCommands.h"

#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/SelectionSetEdits.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

namespace {

// Says so when a brush entity went with its last brush: it is out of sight
// and would otherwise go unnoticed.
void TellRemovals(const std::vector<std::string>& emptied) {
    if (emptied.size() == 1)
        ShowStatusNotice("The brush entity \"" + emptied.front() +
                         "\" went with its last brush; Undo brings both back.");
    else if (emptied.size() > 1)
        ShowStatusNotice(std::to_string(emptied.size()) +
                         " brush entities went with their last brushes; Undo brings them back.");
}

} // namespace

void DeleteObjects(CMapTransaction& transaction, const CSelectionSet& objects) {
    CTolveDoc& doc = transaction.GetDocument();
    TellRemovals(
        ::DeleteObjects(transaction.Edits(), doc, objects, doc.GetEditorState().GetEditMode()));
}

void DeleteSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    const EditMode mode = doc.GetEditorState().GetEditMode();
    if (mode != kBrushMode && mode != kEntityMode)
        return;
    const CSelectionSet objects = context.view->GetCommandTarget();
    if (objects.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    CMapTransaction transaction(doc, mode == kEntityMode ? "Delete Entity" : "Delete Brush");
    DeleteObjects(transaction, objects);
    transaction.Commit();
}
