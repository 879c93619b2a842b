#include "app/BrushCommands.h"

#include "app/BrushFaceCommands.h"
#include "app/SettingCommands.h"
#include "app/ToolBarIcons.h"

void AddBrushCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back({.id = kNewBrush,
                       .menuText = "New Brush",
                       .prompt = "Insert a new brush",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_B)},
                       .popUp = PopUpPlace{.submenu = "New", .text = "Brush", .order = 1},
                       .scope = kView,
                       .run = ::NewBrush});
    entries.push_back({.id = kSnap,
                       .menuText = "Snap...",
                       .prompt = "Set the snap",
                       .toolTip = "Snap",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)},
                       .menu = MenuPlace{MainMenu::kView, 4, 2, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintSnap,
                       .button = ToolBarPlace{3, 1},
                       .scope = kView,
                       .run = SetSnapStep});
    entries.push_back({.id = kTextures,
                       .menuText = "Textures...",
                       .prompt = "Select texture wad",
                       .toolTip = "Textures",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_T)},
                       .menu = MenuPlace{MainMenu::kView, 4, 5, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintTextures,
                       .button = ToolBarPlace{3, 2},
                       .scope = kView,
                       .run = ChooseTextureFile});
}
