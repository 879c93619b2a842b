#include "app/EditModeCommands.h"

#include "app/ToolBarIcons.h"
#include "widgets/CTolveView.h"

namespace {

using enum CommandScope;

template <EditMode Mode> void SelectMode(const CommandContext& c) {
    c.view->GetDocument().GetEditorState().SetEditMode(Mode);
}

template <EditMode Mode> bool IsInMode(const CommandContext& c) {
    return c.view->GetDocument().GetEditorState().GetEditMode() == Mode;
}

} // namespace

void AddEditModeCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kCornerMode,
                       .menuText = "Corner Mode",
                       .prompt = "Select corner mode",
                       .toolTip = "Corner mode",
                       .icon = ToolBarIcons::PaintCornerMode,
                       .button = ToolBarPlace{6, 1},
                       .scope = kView,
                       .run = SelectMode<kCornerMode>,
                       .checked = IsInMode<kCornerMode>});
    entries.push_back({.id = CommandId::kFaceMode,
                       .menuText = "Face Mode",
                       .prompt = "Select face mode",
                       .toolTip = "Face mode",
                       .icon = ToolBarIcons::PaintFaceMode,
                       .button = ToolBarPlace{6, 2},
                       .scope = kView,
                       .run = SelectMode<kFaceMode>,
                       .checked = IsInMode<kFaceMode>});
    entries.push_back({.id = CommandId::kBrushMode,
                       .menuText = "Brush Mode",
                       .prompt = "Select brush mode",
                       .toolTip = "Brush mode",
                       .icon = ToolBarIcons::PaintBrushMode,
                       .button = ToolBarPlace{6, 3},
                       .scope = kView,
                       .run = SelectMode<kBrushMode>,
                       .checked = IsInMode<kBrushMode>});
    entries.push_back({.id = CommandId::kEntityMode,
                       .menuText = "Entity Mode",
                       .prompt = "Select entity mode",
                       .toolTip = "Entity mode",
                       .icon = ToolBarIcons::PaintEntityMode,
                       .button = ToolBarPlace{6, 4},
                       .scope = kView,
                       .run = SelectMode<kEntityMode>,
                       .checked = IsInMode<kEntityMode>});
}
