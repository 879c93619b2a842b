#include "app/DeleteCommands.h"

#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "widgets/CTolveView.h"

namespace {

// Says so when the brush entity went with its last brush: it is out of sight
// and would otherwise go unnoticed.
void TellRemoval(BrushRemoval removal, const std::string& classname) {
    if (removal == BrushRemoval::kBrushAndEntity)
        ShowStatusNotice("The brush entity \"" + classname +
                         "\" went with its last brush; Undo brings both back.");
}

} // namespace

void DeleteSelection(CMapTransaction& transaction) {
    CTolveDoc& doc = transaction.GetDocument();
    const CEditorState& state = doc.GetEditorState();
    CMapEdits& edits = transaction.Edits();
    if (state.GetEditMode() == kBrushMode && state.GetSelectedBrush()) {
        CModelEntity* owner = state.GetSelectedEntity();
        const std::string classname = owner ? owner->m_classname : std::string();
        TellRemoval(edits.RemoveBrush(owner, *state.GetSelectedBrush()), classname);
    } else if (state.GetEditMode() == kEntityMode && state.GetSelectedPointEntity()) {
        edits.RemovePointEntity(*state.GetSelectedPointEntity());
    }
}

void DeleteSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    CMapTransaction transaction(
        doc, doc.GetEditorState().GetEditMode() == kEntityMode ? "Delete Entity" : "Delete Brush");
    DeleteSelection(transaction);
    transaction.Commit();
}
