#include "app/ClipboardCommands.h"

#include "app/ClipboardTransfer.h"
#include "app/ToolBarIcons.h"

// Cut, Copy and Paste of map objects as map text through the clipboard.
void AddClipboardCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back(
        {.id = kEditCut,
         .menuText = "Cu&t",
         .prompt = "Cut the selection and put it on the Clipboard",
         .toolTip = "Cut",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         .menu = MenuPlace{MainMenu::kEdit, 2, 1, MenuBarChoice::kWithMap},
         .icon = ToolBarIcons::PaintCut,
         .button = ToolBarPlace{2, 1},
         .scope = kView,
         .run = CutSelection,
         .enabled = CanCutSelection,
         .label = CutLabel});
    entries.push_back(
        {.id = kEditCopy,
         .menuText = "&Copy",
         .prompt = "Copy the selection and put it on the Clipboard",
         .toolTip = "Copy",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         .menu = MenuPlace{MainMenu::kEdit, 2, 2, MenuBarChoice::kWithMap},
         .icon = ToolBarIcons::PaintCopy,
         .button = ToolBarPlace{2, 2},
         .scope = kView,
         .run = CopySelection,
         .enabled = CanCopySelection,
         .label = CopyLabel});
    entries.push_back(
        {.id = kEditPaste,
         .menuText = "&Paste",
         .prompt = "Insert the Clipboard contents",
         .toolTip = "Paste",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         .menu = MenuPlace{MainMenu::kEdit, 2, 3, MenuBarChoice::kWithMap},
         .scope = kView,
         .run = PasteClipboard,
         .enabled = CanPasteClipboard});
}
