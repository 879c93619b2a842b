#pragma once

#include "app/CommandEntry.h"

#include <QString>

#include <optional>
#include <vector>

// One item of a menu: a command, a separator, the recent-file list (the
// placeholder and the numbered files), or a submenu with its items.
struct MenuItem {
    enum Kind { Command, Separator, RecentFiles, Submenu } kind;
    CommandId id{};
    const char* title = nullptr; // a submenu's
    std::vector<MenuItem> items{};
};

struct MenuLayout {
    const char* title;
    std::vector<MenuItem> items;
    bool listsWindows = false; // the open windows follow the items
};

// The menu bar while a map is open, or while none is, from the places of the
// entries. A menu with no item in that bar is left out.
std::vector<MenuLayout> MakeMenuBarLayout(const CommandEntries& entries, bool mapOpen);

// The toolbar's buttons from left to right; an empty slot is a separator.
std::vector<std::optional<CommandId>> MakeToolBarLayout(const CommandEntries& entries);

// The entries of the view's pop-up menu, in order.
std::vector<const CommandEntry*> MakePopUpLayout(const CommandEntries& entries);

// The text of a pop-up item: its own text or the menu text, then the key the
// menus name for the command.
QString GetPopUpItemText(const CommandEntry& entry);
