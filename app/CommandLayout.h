#pragma once

#include "view/TolveCommands.h"

#include <optional>
#include <vector>

// One place in a menu: a command, a separator, or the recent-file section
// (its separators, the placeholder and the numbered files).
struct MenuItem {
    enum Kind { Command, Separator, RecentFiles } kind;
    CommandId id{};
};

struct MenuLayout {
    const char* title;
    std::vector<MenuItem> items;
    bool listsWindows = false; // the open windows follow the items
};

// The menu bar while no map is open, and while one is.
const std::vector<MenuLayout>& GetNoMapMenuLayout();
const std::vector<MenuLayout>& GetMapMenuLayout();

// The toolbar's buttons from left to right; an empty slot is a separator.
const std::vector<std::optional<CommandId>>& GetToolBarLayout();
