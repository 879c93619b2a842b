#include "app/ClipboardCommands.h"

#include "app/ClipboardTransfer.h"
#include "app/ToolBarIcons.h"

// Cut, Copy and Paste of map objects as map text through the clipboard.
void AddClipboardCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back(
        {.id = EditCut,
         .menuText = "Cu&t",
         .prompt = "Cut the selection and put it on the Clipboard",
         .toolTip = "Cut",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         .menu = MenuPlace{MainMenu::Edit, 2, 1, MenuBarChoice::WithMap},
         .icon = ToolBarIcons::PaintCut,
         .button = ToolBarPlace{2, 1},
         .scope = View,
         .run = CutSelection,
         .enabled = CanCopySelection});
    entries.push_back(
        {.id = EditCopy,
         .menuText = "&Copy",
         .prompt = "Copy the selection and put it on the Clipboard",
         .toolTip = "Copy",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         .menu = MenuPlace{MainMenu::Edit, 2, 2, MenuBarChoice::WithMap},
         .icon = ToolBarIcons::PaintCopy,
         .button = ToolBarPlace{2, 2},
         .scope = View,
         .run = CopySelection,
         .enabled = CanCopySelection});
    entries.push_back(
        {.id = EditPaste,
         .menuText = "&Paste",
         .prompt = "Insert the Clipboard contents",
         .toolTip = "Paste",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         .menu = MenuPlace{MainMenu::Edit, 2, 3, MenuBarChoice::WithMap},
         .scope = View,
         .run = PasteClipboard,
         .enabled = CanPasteClipboard});
}
