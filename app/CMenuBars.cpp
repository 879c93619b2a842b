#include "app/CMenuBars.h"

#include "app/CCommandTable.h"
#include "app/CRecentFileList.h"
#include "app/CommandLayout.h"
#include "app/CommandList.h"
#include "view/TolveCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

using enum CommandId;

// "&1 path", with any ampersand of the path shown as itself.
QString NumberedEntry(int index, QString text) {
    return QStringLiteral("&%1 %2").arg(index + 1).arg(
        text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

} // namespace

CMenuBars::CMenuBars(QMainWindow& window, QMdiArea& area, const CCommandTable& commands,
                     CRecentFileList& recentFiles)
    : QObject(&window), m_window(window), m_area(area), m_recentFiles(recentFiles),
      m_placeholder(commands.GetAction(kFileRecent)) {
    const QString prompt = m_placeholder->statusTip();
    for (int i = 0; i < CRecentFileList::kMaxEntries; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(prompt);
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < m_recentFiles.GetPaths().size())
                emit RecentFileChosen(m_recentFiles.GetPaths()[i]);
        });
        m_recentActions.append(action);
    }
    m_noMapMenus = BuildMenus(MakeMenuBarLayout(GetCommandEntries(), false), commands);
    m_mapMenus = BuildMenus(MakeMenuBarLayout(GetCommandEntries(), true), commands);
    connect(&m_recentFiles, &CRecentFileList::Changed, this, &CMenuBars::RefreshRecentActions);
    RefreshRecentActions();
    ShowMapMenus(false);
}

QList<QMenu*> CMenuBars::BuildMenus(const std::vector<MenuLayout>& layouts,
                                    const CCommandTable& commands) {
    QList<QMenu*> menus;
    for (const MenuLayout& layout : layouts)
        menus.append(BuildMenu(layout, commands));
    return menus;
}

QMenu* CMenuBars::BuildMenu(const MenuLayout& layout, const CCommandTable& commands) {
    auto* menu = new QMenu(QString::fromLatin1(layout.title), &m_window);
    AddItems(*menu, layout.items, commands);
    if (layout.listsWindows) {
        m_windowMenu = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMenuBars::ListWindows);
    }
    return menu;
}

void CMenuBars::AddItems(QMenu& menu, const std::vector<MenuItem>& items,
                         const CCommandTable& commands) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Command:
            menu.addAction(commands.GetAction(item.id));
            break;
        case MenuItem::Separator:
            menu.addSeparator();
            break;
        case MenuItem::RecentFiles:
            AddRecentFileList(menu);
            break;
        case MenuItem::Submenu:
            AddItems(*menu.addMenu(QString::fromLatin1(item.title)), item.items, commands);
            break;
        }
    }
}

void CMenuBars::AddRecentFileList(QMenu& menu) {
    menu.addAction(m_placeholder);
    menu.addActions(m_recentActions);
}

void CMenuBars::ShowMapMenus(bool mapOpen) {
    QMenuBar* bar = m_window.menuBar();
    bar->clear();
    for (QMenu* menu : mapOpen ? m_mapMenus : m_noMapMenus)
        bar->addMenu(menu);
    m_showingMapMenus = mapOpen;
}

void CMenuBars::RefreshRecentActions() {
    const QStringList& paths = m_recentFiles.GetPaths();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < paths.size());
        if (i < paths.size())
            action->setText(NumberedEntry(i, paths[i]));
    }
    // The placeholder stands in for an empty list.
    m_placeholder->setVisible(paths.isEmpty());
}

void CMenuBars::ListWindows() {
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_area.subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions.append(m_windowMenu->addSeparator());
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* action = m_windowMenu->addAction(NumberedEntry(i, window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_area.currentSubWindow());
        action->setStatusTip(QStringLiteral("Activate this window"));
        connect(action, &QAction::triggered, &m_area, [this, window = QPointer(window)] {
            if (window)
                m_area.setActiveSubWindow(window);
        });
        m_windowListActions.append(action);
    }
}
