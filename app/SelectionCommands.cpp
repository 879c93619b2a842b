#include "app/SelectionCommands.h"

#include "app/DeleteCommands.h"
#include "app/EntityCommands.h"
#include "app/LimitCommands.h"

void AddSelectionCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back({.id = kEdit,
                       .menuText = "Edit",
                       .prompt = "Edit Brush/Face/Entity",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_D)},
                       .popUp = PopUpPlace{.order = 3},
                       .scope = kView,
                       .run = EditSelection});
    entries.push_back({.id = kDelete,
                       .menuText = "Delete",
                       .prompt = "Delete selected object",
                       .keys = {QKeySequence(Qt::Key_Delete)},
                       .popUp = PopUpPlace{.order = 7},
                       .scope = kView,
                       .run = DeleteSelection});
    entries.push_back({.id = kSetUpperLimit,
                       .menuText = "Set Upper Limit",
                       .prompt = "Set upper left limit",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_U)},
                       .popUp = PopUpPlace{.submenu = "Set", .text = "Upper limit", .order = 4},
                       .scope = kView,
                       .run = SetUpperLimitFromCursor});
    entries.push_back({.id = kSetLowerLimit,
                       .menuText = "Set Lower Limit",
                       .prompt = "Set lower right limit",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_L)},
                       .popUp = PopUpPlace{.submenu = "Set", .text = "Lower limit", .order = 5},
                       .scope = kView,
                       .run = SetLowerLimitFromCursor});
    entries.push_back({.id = kClearLimits,
                       .menuText = "Clear &Limits",
                       .prompt = "Show everything again: clear the upper and lower limits",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
                       .menu = MenuPlace{MainMenu::kView, 2, 3, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ClearLimits,
                       .enabled = HasLimits});
    entries.push_back({.id = kSetInsertionPoint,
                       .menuText = "Set Insertion Point",
                       .prompt = "Set insertion point",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_I)},
                       .popUp = PopUpPlace{.submenu = "Set", .text = "Insertion point", .order = 6},
                       .scope = kView,
                       .run = SetInsertionPointFromCursor});
}
