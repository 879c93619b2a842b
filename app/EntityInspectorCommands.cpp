#include "app/EntityInspectorCommands.h"

#include "app/CMainFrame.h"

namespace {

void ShowEntityInspector(const CommandContext& context) {
    context.frame->ShowEntityInspector();
}

} // namespace

void AddEntityInspectorCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kEntityInspector,
                       .menuText = "&Entity Inspector",
                       .prompt = "Show and change the keys of the selected entities",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
                       .menu = MenuPlace{MainMenu::kView, 4, 8, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kDocument,
                       .run = ShowEntityInspector});
}
