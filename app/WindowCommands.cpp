#include "app/WindowCommands.h"

#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CWindowArranger.h"
#include "widgets/CTolveView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>

namespace {

using enum CommandId;
using enum CommandScope;

// The next plane after the active view's, so that New Window pressed twice
// on a top view gives the front and the side.
void OpenNewWindow(const CommandContext& c) {
    c.docs->CreateFrame(c.view->GetDocument(), NextPlaneAfter(c.view->m_projection.m_viewMode));
}

void CascadeWindows(const CommandContext& c) {
    c.docs->GetWindowArranger().Cascade();
}

void TileWindows(const CommandContext& c) {
    c.docs->GetWindowArranger().Tile();
}

// Minimised windows in a row along the bottom edge, in the order they came.
void ArrangeIcons(const CommandContext& c) {
    QMdiArea& area = c.frame->GetMdiArea();
    int x = 0;
    const int bottom = area.viewport()->height();
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void ToggleToolBar(const CommandContext& c) {
    QToolBar& bar = c.frame->GetToolBar();
    bar.setVisible(bar.isHidden());
}

bool IsToolBarShown(const CommandContext& c) {
    return !c.frame->GetToolBar().isHidden();
}

void ToggleStatusBar(const CommandContext& c) {
    QStatusBar* bar = c.frame->statusBar();
    bar->setVisible(bar->isHidden());
}

bool IsStatusBarShown(const CommandContext& c) {
    return !c.frame->statusBar()->isHidden();
}

} // namespace

void AddWindowCommands(CommandEntries& entries) {
    entries.push_back({.id = kWindowNew,
                       .menuText = "&New Window",
                       .prompt = "Open another window for the active document",
                       .toolTip = "New Window",
                       .menu = MenuPlace{MainMenu::kWindow, 1, 1, MenuBarChoice::kWithMap},
                       .scope = kDocument,
                       .run = OpenNewWindow});
    entries.push_back({.id = kWindowCascade,
                       .menuText = "&Cascade",
                       .prompt = "Arrange windows so they overlap",
                       .toolTip = "Cascade Windows",
                       .menu = MenuPlace{MainMenu::kWindow, 1, 3, MenuBarChoice::kWithMap},
                       .run = CascadeWindows});
    entries.push_back({.id = kWindowTile,
                       .menuText = "&Tile",
                       .prompt = "Arrange windows as non-overlapping tiles",
                       .toolTip = "Tile Windows",
                       .menu = MenuPlace{MainMenu::kWindow, 1, 4, MenuBarChoice::kWithMap},
                       .run = TileWindows});
    entries.push_back({.id = kWindowArrange,
                       .menuText = "&Arrange Icons",
                       .prompt = "Arrange icons at the bottom of the window",
                       .toolTip = "Arrange Icons",
                       .menu = MenuPlace{MainMenu::kWindow, 1, 5, MenuBarChoice::kWithMap},
                       .run = ArrangeIcons});
    entries.push_back({.id = kViewToolbar,
                       .menuText = "&Toolbar",
                       .prompt = "Show or hide the toolbar",
                       .toolTip = "Toggle Toolbar",
                       .menu = MenuPlace{MainMenu::kView, 1, 1},
                       .run = ToggleToolBar,
                       .checked = IsToolBarShown});
    entries.push_back({.id = kViewStatusBar,
                       .menuText = "&Status Bar",
                       .prompt = "Show or hide the status bar",
                       .toolTip = "Toggle Status Bar",
                       .menu = MenuPlace{MainMenu::kView, 1, 2},
                       .run = ToggleStatusBar,
                       .checked = IsStatusBarShown});
    entries.push_back({.id = kNextPane,
                       .menuText = "Next Pane",
                       .prompt = "Switch to the next window pane",
                       .toolTip = "Next Pane",
                       .keys = {QKeySequence(Qt::Key_F6)},
                       .scope = kView});
    entries.push_back({.id = kPreviousPane,
                       .menuText = "Previous Pane",
                       .prompt = "Switch back to the previous window pane",
                       .toolTip = "Previous Pane",
                       .keys = {QKeySequence(Qt::SHIFT | Qt::Key_F6)},
                       .scope = kView});
}
