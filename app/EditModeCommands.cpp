#include "app/EditModeCommands.h"

#include "app/ToolBarIcons.h"
#include "widgets/CTolveView.h"

namespace {

using enum CommandId;
using enum CommandScope;

template <EditMode Mode> void SelectMode(const CommandContext& c) {
    c.view->GetDocument().GetEditorState().SetEditMode(Mode);
}

template <EditMode Mode> bool IsInMode(const CommandContext& c) {
    return c.view->GetDocument().GetEditorState().GetEditMode() == Mode;
}

} // namespace

void AddEditModeCommands(CommandEntries& entries) {
    entries.push_back({.id = CornerMode,
                       .menuText = "Corner Mode",
                       .prompt = "Select corner mode",
                       .toolTip = "Corner mode",
                       .icon = ToolBarIcons::PaintCornerMode,
                       .button = ToolBarPlace{6, 1},
                       .scope = View,
                       .run = SelectMode<kCornerMode>,
                       .checked = IsInMode<kCornerMode>});
    entries.push_back({.id = FaceMode,
                       .menuText = "Face Mode",
                       .prompt = "Select face mode",
                       .toolTip = "Face mode",
                       .icon = ToolBarIcons::PaintFaceMode,
                       .button = ToolBarPlace{6, 2},
                       .scope = View,
                       .run = SelectMode<kFaceMode>,
                       .checked = IsInMode<kFaceMode>});
    entries.push_back({.id = BrushMode,
                       .menuText = "Brush Mode",
                       .prompt = "Select brush mode",
                       .toolTip = "Brush mode",
                       .icon = ToolBarIcons::PaintBrushMode,
                       .button = ToolBarPlace{6, 3},
                       .scope = View,
                       .run = SelectMode<kBrushMode>,
                       .checked = IsInMode<kBrushMode>});
    entries.push_back({.id = EntityMode,
                       .menuText = "Entity Mode",
                       .prompt = "Select entity mode",
                       .toolTip = "Entity mode",
                       .icon = ToolBarIcons::PaintEntityMode,
                       .button = ToolBarPlace{6, 4},
                       .scope = View,
                       .run = SelectMode<kEntityMode>,
                       .checked = IsInMode<kEntityMode>});
}
