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

// An entry, or a submenu of the menu in its place.
struct PlacedEntry {
    int group;
    int order;
    const CommandEntry* entry;
    const SubmenuPlace* submenu = nullptr;
};

// Stable, so that two entries given one place keep the table's order.
void SortPlaced(std::vector<PlacedEntry>& placed) {
    std::ranges::stable_sort(placed, [](const PlacedEntry& a, const PlacedEntry& b) {
        return a.group != b.group ? a.group < b.group : a.order < b.order;
    });
}

// Calls `item` for each placed entry in turn and `gap` between two groups.
template <typename Gap, typename Item>
void WalkGroups(const std::vector<PlacedEntry>& placed, Gap gap, Item item) {
    for (auto it = placed.begin(); it != placed.end(); ++it) {
        if (it != placed.begin() && std::prev(it)->group != it->group)
            gap();
        item(*it);
    }
}

// The entries of one menu, or of one of its submenus, in that bar; a menu's
// submenus stand among them once each.
std::vector<PlacedEntry> PlacedInMenu(const CommandEntries& entries, MainMenu menu, bool mapOpen,
                                      const SubmenuPlace* submenu) {
    std::vector<PlacedEntry> placed;
    for (const CommandEntry& entry : entries) {
        if (!entry.menu || entry.menu->menu != menu || !IsInMenuBar(*entry.menu, mapOpen))
            continue;
        const SubmenuPlace* in = entry.menu->submenu;
        if (in == submenu)
            placed.push_back({entry.menu->group, entry.menu->order, &entry});
        else if (!submenu && std::ranges::none_of(
                                 placed, [&](const PlacedEntry& p) { return p.submenu == in; }))
            placed.push_back({in->group, in->order, nullptr, in});
    }
    SortPlaced(placed);
    return placed;
}

MenuItem ItemAt(const CommandEntry& entry) {
    const bool recent = entry.menu->role == MenuItemRole::kRecentFiles;
    return {recent ? MenuItem::RecentFiles : MenuItem::Command, entry.id};
}

std::vector<MenuItem> MenuItems(const CommandEntries& entries, MainMenu menu, bool mapOpen,
                                const SubmenuPlace* submenu = nullptr) {
    std::vector<MenuItem> items;
    WalkGroups(
        PlacedInMenu(entries, menu, mapOpen, submenu),
        [&] { items.push_back({MenuItem::Separator}); },
        [&](const PlacedEntry& placed) {
            if (!placed.submenu) {
                items.push_back(ItemAt(*placed.entry));
                return;
            }
            MenuItem item{MenuItem::Submenu, {}, placed.submenu->title};
            item.items = MenuItems(entries, menu, mapOpen, placed.submenu);
            items.push_back(std::move(item));
        });
    return items;
}

} // namespace

std::vector<MenuLayout> MakeMenuBarLayout(const CommandEntries& entries, bool mapOpen) {
    std::vector<MenuLayout> menus;
    for (const MainMenuTitle& menu : kMainMenus) {
        std::vector<MenuItem> items = MenuItems(entries, menu.menu, mapOpen);
        if (!items.empty())
            menus.push_back({menu.title, std::move(items), menu.listsWindows});
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
        [&](const PlacedEntry& placed) { buttons.push_back(placed.entry->id); });
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
