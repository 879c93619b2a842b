#include "CAppFixture.h"
#include "app/CMenuBars.h"
#include "app/CommandLayout.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using enum CommandId;

// Items as "item item - item", "[text]" for the recent-file list and
// "title(items)" for a submenu.
QString DescribeItems(const std::vector<MenuItem>& menuItems, const CommandEntries& entries) {
    QStringList items;
    for (const MenuItem& item : menuItems) {
        if (item.kind == MenuItem::Separator) {
            items.append(QStringLiteral("-"));
            continue;
        }
        if (item.kind == MenuItem::Submenu) {
            items.append(QString::fromLatin1(item.title) + "(" +
                         DescribeItems(item.items, entries) + ")");
            continue;
        }
        QString text;
        for (const CommandEntry& entry : entries) {
            if (entry.id == item.id)
                text = QString::fromLatin1(entry.menuText);
        }
        items.append(item.kind == MenuItem::RecentFiles ? "[" + text + "]" : text);
    }
    return items.join(QLatin1Char(' '));
}

// A menu bar as "title: items", "*" after a title whose menu lists the
// windows.
QStringList DescribeMenuBar(const std::vector<MenuLayout>& menus, const CommandEntries& entries) {
    QStringList described;
    for (const MenuLayout& menu : menus) {
        described.append(QString::fromLatin1(menu.title) + (menu.listsWindows ? "*" : "") + ": " +
                         DescribeItems(menu.items, entries));
    }
    return described;
}

// Out of order on purpose: the places, not the table, decide.
const CommandEntries kPlacedInMenus = {
    {.id = kAppExit, .menuText = "Exit", .menu = MenuPlace{MainMenu::kFile, 7, 1}},
    {.id = kAppAbout, .menuText = "About", .menu = MenuPlace{MainMenu::kHelp, 1, 1}},
    {.id = kFileOpen, .menuText = "Open", .menu = MenuPlace{MainMenu::kFile, 1, 5}},
    {.id = kFileRecent,
     .menuText = "Recent",
     .menu =
         MenuPlace{
             .menu = MainMenu::kFile, .group = 2, .order = 1, .role = MenuItemRole::kRecentFiles}},
    {.id = kWindowTile,
     .menuText = "Tile",
     .menu = MenuPlace{MainMenu::kWindow, 1, 1, MenuBarChoice::kWithMap}},
    {.id = kFileNew, .menuText = "New", .menu = MenuPlace{MainMenu::kFile, 1, 2}},
    {.id = kFileClose,
     .menuText = "Close",
     .menu = MenuPlace{MainMenu::kFile, 1, 9, MenuBarChoice::kWithMap}},
    {.id = kViewToolbar,
     .menuText = "Toolbar",
     .menu = MenuPlace{MainMenu::kView, 1, 1, MenuBarChoice::kWithoutMap}},
    {.id = kScrollUp, .menuText = "Scroll Up"},
};

TEST(MenuBarLayout, ItemsStandByGroupAndOrderWithSeparatorsBetweenGroups) {
    EXPECT_THAT(
        DescribeMenuBar(MakeMenuBarLayout(kPlacedInMenus, true), kPlacedInMenus),
        ElementsAre("&File: New Open Close - [Recent] - Exit", "&Window*: Tile", "&Help: About"));
    // A menu with nothing in this bar is left out.
    EXPECT_THAT(DescribeMenuBar(MakeMenuBarLayout(kPlacedInMenus, false), kPlacedInMenus),
                ElementsAre("&File: New Open - [Recent] - Exit", "&View: Toolbar", "&Help: About"));
    EXPECT_TRUE(MakeMenuBarLayout({}, true).empty());
}

// A submenu stands where its own place says, once, with its items by their
// groups and orders inside it.
TEST(MenuBarLayout, ASubmenuStandsInItsPlaceWithItsItemsGrouped) {
    static constexpr SubmenuPlace kSub{"Sub", 1, 2};
    const auto in = [](int group, int order) {
        return MenuPlace{MainMenu::kEdit,        group, order, MenuBarChoice::kBoth,
                         MenuItemRole::kCommand, &kSub};
    };
    const CommandEntries entries = {
        {.id = kEditPaste, .menuText = "Paste", .menu = in(2, 1)},
        {.id = kEditUndo, .menuText = "Undo", .menu = MenuPlace{MainMenu::kEdit, 1, 1}},
        {.id = kEditCopy, .menuText = "Copy", .menu = in(1, 2)},
        {.id = kEditCut, .menuText = "Cut", .menu = in(1, 1)},
        {.id = kEditRedo, .menuText = "Redo", .menu = MenuPlace{MainMenu::kEdit, 2, 1}},
    };
    EXPECT_THAT(DescribeMenuBar(MakeMenuBarLayout(entries, true), entries),
                ElementsAre("&Edit: Undo Sub(Cut Copy - Paste) - Redo"));
}

TEST(ToolBarLayout, ButtonsStandByGroupAndOrderWithGapsBetweenGroups) {
    const CommandEntries entries = {
        {.id = kZoomOut, .menuText = "", .button = ToolBarPlace{5, 2}},
        {.id = kFileNew, .menuText = "", .button = ToolBarPlace{2, 1}},
        {.id = kScrollUp, .menuText = ""},
        {.id = kZoomIn, .menuText = "", .button = ToolBarPlace{5, 1}},
        {.id = kFileOpen, .menuText = "", .button = ToolBarPlace{2, 3}},
        {.id = kAppAbout, .menuText = "", .button = ToolBarPlace{9, 1}},
    };
    EXPECT_THAT(MakeToolBarLayout(entries), ElementsAre(kFileNew, kFileOpen, std::nullopt, kZoomIn,
                                                        kZoomOut, std::nullopt, kAppAbout));
}

TEST(PopUpLayout, ItemsStandInOrderAndNameTheirFirstKey) {
    const CommandEntries entries = {
        {.id = kDelete,
         .menuText = "Delete",
         .keys = {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)},
         .popUp = PopUpPlace{.order = 9}},
        {.id = kScrollUp, .menuText = "Scroll Up", .keys = {QKeySequence(Qt::Key_Up)}},
        {.id = kNewBrush,
         .menuText = "New Brush",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_B)},
         .popUp = PopUpPlace{.submenu = "New", .text = "Brush", .order = 1}},
        {.id = kFrameMap, .menuText = "&Frame Map", .popUp = PopUpPlace{.order = 4}},
    };
    QStringList texts;
    for (const CommandEntry* entry : MakePopUpLayout(entries))
        texts.append(GetPopUpItemText(*entry));
    EXPECT_THAT(texts, ElementsAre("Brush\tCtrl+B", "&Frame Map", "Delete\tDel"));
}

// An item as the user sees it: its text, then the key the menu names, if any;
// "-" for a separator.
QString ShownItem(const QAction& action) {
    if (action.isSeparator())
        return QStringLiteral("-");
    const QString key = action.shortcut().toString(QKeySequence::NativeText);
    return key.isEmpty() ? action.text() : action.text() + QLatin1Char('\t') + key;
}

// Plain strings, which a failed check prints readably.
std::vector<std::string> Readable(const QStringList& texts) {
    std::vector<std::string> readable;
    for (const QString& text : texts)
        readable.push_back(text.toStdString());
    return readable;
}

// Each menu of the bar as "title: item | item ...", with only the items shown.
std::vector<std::string> ShownMenuBar(QMenuBar& bar) {
    QStringList menus;
    for (QAction* title : bar.actions()) {
        QMenu* menu = title->menu();
        // The Window menu fills in the open windows as it opens.
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* action : menu->actions()) {
            if (action->isVisible())
                items.append(ShownItem(*action));
        }
        menus.append(title->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | ")));
    }
    return Readable(menus);
}

// The pop-up's items, those of a submenu as "submenu > item".
QStringList ShownPopUp(const QMenu& menu) {
    QStringList items;
    for (QAction* action : menu.actions()) {
        if (const QMenu* submenu = action->menu()) {
            for (const QString& item : ShownPopUp(*submenu))
                items.append(action->text() + QStringLiteral(" > ") + item);
        } else {
            items.append(ShownItem(*action));
        }
    }
    return items;
}

using CommandPlacesInFrame = CAppFixture;

TEST_F(CommandPlacesInFrame, BothMenuBarsShowTheirMenusAndItemsInOrder) {
    StartApp();
    EXPECT_THAT(
        ShownMenuBar(*Frame().menuBar()),
        ElementsAre(
            "&File: &New\tCtrl+N | &Open...\tCtrl+O | &Close | &Save\tCtrl+S | Save "
            "&As... | Entity &Definitions... | - | Recent File | - | E&xit",
            "&Edit: &Undo\tCtrl+Z | &Redo\tCtrl+Shift+Z | - | Cu&t (brushes or entities "
            "only)\tCtrl+X | &Copy (nothing selected)\tCtrl+C | &Paste\tCtrl+V | - | Texture "
            "&Lock | Appl&y Texture\tShift+T | Replace Te&xture... | &Texture | - | Corner "
            "Mode\tCtrl+1 | Face Mode\tCtrl+2 | Brush "
            "Mode\tCtrl+3 | Entity "
            "Mode\tCtrl+4 | - | Select &All\tCtrl+A | D&uplicate\tCtrl+Shift+D | - | &Rotate "
            "90\u00b0 Clockwise\tCtrl+R | Rotate 90\u00b0 &Anticlockwise\tCtrl+Shift+R | Flip "
            "&Horizontally	Ctrl+F | Flip &Vertically	Ctrl+Shift+F | C&SG | "
            "Tra&nsform...	Ctrl+M "
            "| - | Move to &Entity... | Move to &World | &Group...\tCtrl+Alt+G | "
            "Ungr&oup\tCtrl+Alt+U "
            "| - | &Clip	X | Clip Takes the Largest "
            "Face's &Texture | - | &Find...	Ctrl+Alt+F | - | P&references...",
            "&View: &Toolbar | &Status Bar | - | &Actual Size\tCtrl+0 | &Frame Map\tHome | Frame "
            "&Selection\tShift+Home | "
            "Clear &Limits\tCtrl+Shift+L "
            "| Pick &Distance... | - | XY Mode\tF2 | XZ Mode\tF3 | YZ Mode\tF4 | 3D Mode\tF5 | "
            "Flipped\tF7 | - | &Grid\tCtrl+G | Snap...\tCtrl+Shift+G | &Finer Snap\t[ | C&oarser "
            "Snap\t] | Textures...\tCtrl+T | Te&xture Browser\tCtrl+Shift+T | Face "
            "&Inspector\tCtrl+Shift+I | &Entity Inspector\tCtrl+Shift+E | - | Load &Point File... "
            "| Clear Point File | - | F&ullbright | Show T&ool Textures | - | &Hide Selection\tH | "
            "Isolate Sele&ction\tCtrl+Shift+H | Sho&w All\tShift+H | La&yers",
            "&Map: &Missing Textures...", "&Compile: &Run\tF9 | Show &Log | - | &Profiles...",
            "&Window: &New Window | New &Camera View | &Cascade | &Tile | &Arrange Icons | - | &1 "
            "Tolve1",
            "&Help: &About Tolve..."));

    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_THAT(ShownMenuBar(*Frame().menuBar()),
                ElementsAre("&File: &New\tCtrl+N | &Open...\tCtrl+O | - | Recent File | - | E&xit",
                            "&Edit: P&references...", "&View: &Toolbar | &Status Bar",
                            "&Compile: &Profiles...", "&Help: &About Tolve..."));
}

TEST_F(CommandPlacesInFrame, TheToolBarShowsItsButtonsInGroups) {
    StartApp();
    QStringList buttons;
    for (QAction* action : Frame().GetToolBar().actions())
        buttons.append(action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    EXPECT_THAT(
        Readable(buttons),
        ElementsAreArray({"New",       "Open",       "Save",        "|",        "Cut",
                          "Copy",      "|",          "Snap",        "Textures", "|",
                          "3D mode",   "XY mode",    "XZ mode",     "YZ mode",  "Flipped",
                          "|",         "Zoom in",    "Zoom out",    "|",        "Corner mode",
                          "Face mode", "Brush mode", "Entity mode", "|",        "About"}));
}

TEST_F(CommandPlacesInFrame, TheViewsPopUpMenuNamesEachItemsKey) {
    StartApp();
    CTolveView* view = Frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    const QPoint click(200, 150);
    QContextMenuEvent event(QContextMenuEvent::Mouse, click, view->mapToGlobal(click));
    QCoreApplication::sendEvent(view, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(Readable(ShownPopUp(*menu)),
                ElementsAre("New > Brush\tCtrl+B", "New > Entity\tCtrl+E", "Edit\tCtrl+D",
                            "Set > Upper limit\tCtrl+U", "Set > Lower limit\tCtrl+L",
                            "Set > Insertion point\tCtrl+I", "Delete\tDel"));
    menu->close();
}

} // namespace
