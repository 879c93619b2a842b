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
    CMapEdits& edits = transaction.Edits();
    if (doc.m_editMode == kBrushMode && doc.m_selectedBrush) {
        CModelEntity* owner = doc.m_selectedEntity;
        const std::string classname = owner ? owner->m_classname : std::string();
        TellRemoval(edits.RemoveBrush(owner, *doc.m_selectedBrush), classname);
    } else if (doc.m_editMode == kEntityMode && doc.m_selectedPointEntity) {
        edits.RemovePointEntity(*doc.m_selectedPointEntity);
    }
}

void DeleteSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    CMapTransaction transaction(doc,
                                doc.m_editMode == kEntityMode ? "Delete Entity" : "Delete Brush");
    DeleteSelection(transaction);
    transaction.Commit();
}
