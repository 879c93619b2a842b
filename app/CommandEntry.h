#pragma once

#include "app/CommandPlace.h"
#include "view/TolveCommands.h"

#include <QKeySequence>
#include <QString>

#include <optional>
#include <vector>

class CCameraView;
class CDocManager;
class CIconCanvas;
class CMainFrame;
class CTolveApp;
class CTolveView;

// What a command can reach when it runs or is asked for its state. The main
// frame fills in everything; a view command needs the view alone.
struct CommandContext {
    CTolveApp* app = nullptr;
    CDocManager* docs = nullptr;
    CMainFrame* frame = nullptr;
    // The active flat view, or none. In a camera view, commands act through
    // a flat view of the same map; `camera` is then the camera view.
    CTolveView* view = nullptr;
    CCameraView* camera = nullptr;
};

// Where a command applies: the application runs whether or not a map is open;
// the others need an active document or view.
enum class CommandScope { kApplication, kDocument, kView };

using CommandHandler = void (*)(const CommandContext&);
using CommandState = bool (*)(const CommandContext&);
using CommandIconPainter = void (*)(CIconCanvas&);
using CommandLabel = QString (*)(const CommandContext&);

// Everything about one command, declared once: the menus, the toolbar, the
// pop-up menu, the accelerators and the status prompts are all made from these.
struct CommandEntry {
    CommandId id;
    const char* menuText;
    const char* prompt = "";              // the status-bar prompt
    const char* toolTip = nullptr;        // none: the menu text without its mnemonic
    std::vector<QKeySequence> keys{};     // the key a menu names first
    std::optional<MenuPlace> menu{};      // its item in the main window's menus, if any
    CommandIconPainter icon = nullptr;    // its toolbar picture, if it has a button
    std::optional<ToolBarPlace> button{}; // its toolbar button, if any
    std::optional<PopUpPlace> popUp{};    // its item in the view's pop-up menu, if any
    CommandScope scope = CommandScope::kApplication;
    CommandHandler run = nullptr;   // none yet: the command is shown disabled
    CommandState checked = nullptr; // none: the command has no check mark
    CommandState enabled = nullptr; // a condition beyond its scope, if any
    CommandLabel label = nullptr;   // menu text that follows the state, if any
};

using CommandEntries = std::vector<CommandEntry>;

inline bool IsCheckable(const CommandEntry& entry) {
    return entry.checked != nullptr;
}

QString GetCommandPrompt(const CommandEntry& entry);
QString GetCommandToolTip(const CommandEntry& entry);

// Whether the command can run in the context: it has a handler, its scope is
// met and its own condition holds.
bool IsCommandEnabled(const CommandEntry& entry, const CommandContext& context);
// The check mark: only an enabled, checkable command shows one.
bool IsCommandChecked(const CommandEntry& entry, const CommandContext& context);
