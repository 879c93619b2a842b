#include "app/CommandLayout.h"

#include <algorithm>
#include <iterator>

namespace {

struct MainMenuTitle {
    MainMenu menu;
    const char* title;
    bool listsWindows = false;
};

// In the order the menu bar shows them.
constexpr MainMenuTitle kMainMenus[] = {
    {MainMenu::kFile, "&File"},       {MainMenu::kEdit, "&Edit"},
    {MainMenu::kView, "&View"},       {MainMenu::kMap, "&Map"},
    {MainMenu::kCompile, "&Compile"}, {MainMenu::kWindow, "&Window", true},
    {MainMenu::kHelp, "&Help"},
};

struct PlacedEntry {
    int group;
    int order;
    const CommandEntry* entry;
};

// Stable, so that two entries given one place keep the table's order.
void SortPlaced(std::vector<PlacedEntry>& placed) {
    std::ranges::stable_sort(placed, [](const PlacedEntry& a, const PlacedEntry& b) {
        return a.group != b.group ? a.group < b.group : a.order < b.order;
    });
}

// Calls `item` for each entry in turn and `gap` between two groups.
template <typename Gap, typename Item>
void WalkGroups(const std::vector<PlacedEntry>& placed, Gap gap, Item item) {
    for (auto it = placed.begin(); it != placed.end(); ++it) {
        if (it != placed.begin() && std::prev(it)->group != it->group)
            gap();
        item(*it->entry);
    }
}

std::vector<PlacedEntry> PlacedInMenu(const CommandEntries& entries, MainMenu menu, bool mapOpen) {
    std::vector<PlacedEntry> placed;
    for (const CommandEntry& entry : entries) {
        if (entry.menu && entry.menu->menu == menu && IsInMenuBar(*entry.menu, mapOpen))
            placed.push_back({entry.menu->group, entry.menu->order, &entry});
    }
    SortPlaced(placed);
    return placed;
}

MenuItem ItemAt(const CommandEntry& entry) {
    const bool recent = entry.menu->role == MenuItemRole::kRecentFiles;
    return {recent ? MenuItem::RecentFiles : MenuItem::Command, entry.id};
}

} // namespace

std::vector<MenuLayout> MakeMenuBarLayout(const CommandEntries& entries, bool mapOpen) {
    std::vector<MenuLayout> menus;
    for (const MainMenuTitle& menu : kMainMenus) {
        const std::vector<PlacedEntry> placed = PlacedInMenu(entries, menu.menu, mapOpen);
        if (placed.empty())
            continue;
        MenuLayout layout{menu.title, {}, menu.listsWindows};
        WalkGroups(
            placed, [&] { layout.items.push_back({MenuItem::Separator}); },
            [&](const CommandEntry& entry) { layout.items.push_back(ItemAt(entry)); });
        menus.push_back(std::move(layout));
    }
    return menus;
}

std::vector<std::optional<CommandId>> MakeToolBarLayout(const CommandEntries& entries) {
    std::vector<PlacedEntry> placed;
    for (const CommandEntry& entry : entries) {
        if (entry.button)
            placed.push_back({entry.button->group, entry.button->order, &entry});
    }
    SortPlaced(placed);
    std::vector<std::optional<CommandId>> buttons;
    WalkGroups(
        placed, [&] { buttons.push_back(std::nullopt); },
        [&](const CommandEntry& entry) { buttons.push_back(entry.id); });
    return buttons;
}

std::vector<const CommandEntry*> MakePopUpLayout(const CommandEntries& entries) {
    std::vector<PlacedEntry> placed;
    for (const CommandEntry& entry : entries) {
        if (entry.popUp)
            placed.push_back({0, entry.popUp->order, &entry});
    }
    SortPlaced(placed);
    std::vector<const CommandEntry*> items;
    for (const PlacedEntry& item : placed)
        items.push_back(item.entry);
    return items;
}

QString GetPopUpItemText(const CommandEntry& entry) {
    const char* text = entry.popUp && entry.popUp->text ? entry.popUp->text : entry.menuText;
    QString item = QString::fromUtf8(text);
    if (!entry.keys.empty())
        item += QLatin1Char('\t') + entry.keys.front().toString(QKeySequence::NativeText);
    return item;
}
