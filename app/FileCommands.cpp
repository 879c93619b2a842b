#include "app/FileCommands.h"

#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/CTolveApp.h"
#include "app/ToolBarIcons.h"
#include "widgets/CTolveView.h"

namespace {

using enum CommandId;
using enum CommandScope;

void NewDocument(const CommandContext& c) {
    c.docs->NewDocument();
}

void OpenDocument(const CommandContext& c) {
    c.docs->PromptAndOpenDocument();
}

void CloseDocument(const CommandContext& c) {
    c.docs->CloseDocument(c.view->GetDocument());
}

void SaveDocument(const CommandContext& c) {
    c.docs->SaveDocument(c.view->GetDocument());
}

void SaveDocumentAs(const CommandContext& c) {
    c.docs->SaveDocumentAs(c.view->GetDocument());
}

// Another game's map is read-only: Save As only.
bool CanSaveOverFile(const CommandContext& c) {
    return !c.view->GetDocument().IsOtherGameMap();
}

void ExitApplication(const CommandContext& c) {
    c.frame->close();
}

} // namespace

void AddFileCommands(CommandEntries& entries) {
    entries.push_back({.id = kFileNew,
                       .menuText = "&New",
                       .prompt = "Create a new document",
                       .toolTip = "New",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_N)},
                       .menu = MenuPlace{MainMenu::kFile, 1, 1},
                       .icon = ToolBarIcons::PaintNew,
                       .button = ToolBarPlace{1, 1},
                       .run = NewDocument});
    entries.push_back({.id = kFileOpen,
                       .menuText = "&Open...",
                       .prompt = "Open an existing document",
                       .toolTip = "Open",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_O)},
                       .menu = MenuPlace{MainMenu::kFile, 1, 2},
                       .icon = ToolBarIcons::PaintOpen,
                       .button = ToolBarPlace{1, 2},
                       .run = OpenDocument});
    entries.push_back({.id = kFileClose,
                       .menuText = "&Close",
                       .prompt = "Close the active document",
                       .toolTip = "Close",
                       .menu = MenuPlace{MainMenu::kFile, 1, 3, MenuBarChoice::kWithMap},
                       .scope = kDocument,
                       .run = CloseDocument});
    entries.push_back({.id = kFileSave,
                       .menuText = "&Save",
                       .prompt = "Save the active document",
                       .toolTip = "Save",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_S)},
                       .menu = MenuPlace{MainMenu::kFile, 1, 4, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintSave,
                       .button = ToolBarPlace{1, 3},
                       .scope = kDocument,
                       .run = SaveDocument,
                       .enabled = CanSaveOverFile});
    entries.push_back({.id = kFileSaveAs,
                       .menuText = "Save &As...",
                       .prompt = "Save the active document with a new name",
                       .toolTip = "Save As",
                       .menu = MenuPlace{MainMenu::kFile, 1, 5, MenuBarChoice::kWithMap},
                       .scope = kDocument,
                       .run = SaveDocumentAs});
    // The placeholder of an empty recent-file list; the entries themselves
    // are made by the menus and run OpenRecentFile.
    entries.push_back(
        {.id = kFileRecent,
         .menuText = "Recent File",
         .prompt = "Open this document",
         .menu = MenuPlace{
             .menu = MainMenu::kFile, .group = 2, .order = 1, .role = MenuItemRole::kRecentFiles}});
    entries.push_back({.id = kAppExit,
                       .menuText = "E&xit",
                       .prompt = "Quit the application; prompts to save documents",
                       .toolTip = "Exit",
                       .menu = MenuPlace{MainMenu::kFile, 3, 1},
                       .run = ExitApplication});
}

void OpenRecentFile(const CommandContext& c, const QString& path) {
    if (!c.docs->OpenDocument(path))
        c.app->GetRecentFiles().RemoveRecentFile(path);
}
