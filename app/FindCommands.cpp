#include "app/FindCommands.h"

#include "app/CChildFrame.h"
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "gl/CCameraView.h"
#include "map/SelectionSetEdits.h"
#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

namespace {

void ShowFind(const CommandContext& context) {
    context.frame->ShowFind();
}

} // namespace

void AddFindCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kFind,
                       .menuText = "&Find...",
                       .prompt = "Find entities by class name or key and value, brushes by "
                                 "texture, and what an entity targets, and select them",
                       .keys = {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F)},
                       .menu = MenuPlace{MainMenu::kEdit, 9, 1, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kDocument,
                       .run = ShowFind});
}

void FrameSelectionInViews(const CDocManager& docs, CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    const std::optional<IntBox> box = BoundsOfSet(state.GetSelectionSet(), state.GetEditMode());
    if (!box)
        return;
    for (CChildFrame* frame : docs.GetFrames(doc)) {
        if (CTolveView* view = frame->GetPlaneView()) {
            FrameBounds({box->min, box->max}, view->m_projection, view->width(), view->height());
            view->InvalidateAll();
        } else if (CCameraView* camera = frame->GetCameraView()) {
            camera->FrameBox(*box);
        }
    }
}
