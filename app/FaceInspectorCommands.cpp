#include "app/FaceInspectorCommands.h"

#include "app/CMainFrame.h"

namespace {

void ShowFaceInspector(const CommandContext& context) {
    context.frame->ShowFaceInspector();
}

} // namespace

void AddFaceInspectorCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kFaceInspector,
                       .menuText = "Face &Inspector",
                       .prompt = "Show and change the texture values of the selected faces",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
                       .menu = MenuPlace{MainMenu::kView, 4, 7, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kDocument,
                       .run = ShowFaceInspector});
}
