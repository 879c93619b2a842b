#pragma once

// Where a command shows itself: in a menu of the main window, on the toolbar,
// in the view's pop-up menu. Each entry of the command table says so for
// itself; the menus, the toolbar and the pop-up are made by walking the table.

// The menus of the main window's menu bars.
enum class MainMenu { kFile, kEdit, kView, kMap, kCompile, kWindow, kHelp };

// The menu bar shown while a map is open, the one shown while none is, or both.
enum class MenuBarChoice { kBoth, kWithMap, kWithoutMap };

// What stands at a menu place: the command's own item, or the recent-file
// list, whose placeholder the command is.
enum class MenuItemRole { kCommand, kRecentFiles };

// A submenu of a main menu, declared once: it stands among the menu's items
// at its own group and order, and holds the items that name it.
struct SubmenuPlace {
    const char* title;
    int group;
    int order;
};

// The items of a menu, and the toolbar's buttons, stand in the order of their
// group, then of their order within it; a separator stands between groups.
// An item of a submenu stands in it by its group and order the same way.
struct MenuPlace {
    MainMenu menu;
    int group;
    int order;
    MenuBarChoice bars = MenuBarChoice::kBoth;
    MenuItemRole role = MenuItemRole::kCommand;
    const SubmenuPlace* submenu = nullptr;
};

// Whether the item stands in the menu bar shown while a map is open (or not).
inline bool IsInMenuBar(const MenuPlace& place, bool mapOpen) {
    return place.bars == MenuBarChoice::kBoth || (place.bars == MenuBarChoice::kWithMap) == mapOpen;
}

struct ToolBarPlace {
    int group;
    int order;
};

// An item of the view's pop-up menu. A submenu stands where its first item
// would; the item's key follows its text.
struct PopUpPlace {
    const char* submenu = nullptr; // "New", "Set"; none: the pop-up itself
    const char* text = nullptr;    // none: the menu text
    int order = 0;
};
