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
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_1)},
                       .menu = MenuPlace{MainMenu::kEdit, 4, 1, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintCornerMode,
                       .button = ToolBarPlace{6, 1},
                       .scope = kView,
                       .run = SelectMode<kCornerMode>,
                       .checked = IsInMode<kCornerMode>});
    entries.push_back({.id = CommandId::kFaceMode,
                       .menuText = "Face Mode",
                       .prompt = "Select face mode",
                       .toolTip = "Face mode",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_2)},
                       .menu = MenuPlace{MainMenu::kEdit, 4, 2, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintFaceMode,
                       .button = ToolBarPlace{6, 2},
                       .scope = kView,
                       .run = SelectMode<kFaceMode>,
                       .checked = IsInMode<kFaceMode>});
    entries.push_back({.id = CommandId::kBrushMode,
                       .menuText = "Brush Mode",
                       .prompt = "Select brush mode",
                       .toolTip = "Brush mode",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_3)},
                       .menu = MenuPlace{MainMenu::kEdit, 4, 3, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintBrushMode,
                       .button = ToolBarPlace{6, 3},
                       .scope = kView,
                       .run = SelectMode<kBrushMode>,
                       .checked = IsInMode<kBrushMode>});
    entries.push_back({.id = CommandId::kEntityMode,
                       .menuText = "Entity Mode",
                       .prompt = "Select entity mode",
                       .toolTip = "Entity mode",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_4)},
                       .menu = MenuPlace{MainMenu::kEdit, 4, 4, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintEntityMode,
                       .button = ToolBarPlace{6, 4},
                       .scope = kView,
                       .run = SelectMode<kEntityMode>,
                       .checked = IsInMode<kEntityMode>});
}
