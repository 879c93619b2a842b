#include "app/HelpCommands.h"

#include "app/CAboutBox.h"
#include "app/CMainFrame.h"
#include "app/CTolveApp.h"
#include "app/ToolBarIcons.h"
#include "framework/CDialogRunner.h"

namespace {

using enum CommandId;

void ShowAbout(const CommandContext& c) {
    CAboutBox about(c.app->GetSoundPath(), c.frame);
    RunModalDialog(about);
}

} // namespace

void AddHelpCommands(CommandEntries& entries) {
    entries.push_back({.id = kAppAbout,
                       .menuText = "&About Tolve...",
                       .prompt = "Show the program's name, version and notice",
                       .toolTip = "About",
                       .menu = MenuPlace{MainMenu::kHelp, 1, 1},
                       .icon = ToolBarIcons::PaintAbout,
                       .button = ToolBarPlace{7, 1},
                       .run = ShowAbout});
}
