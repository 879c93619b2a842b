#include "app/CMenuBars.h"

#include "app/CCommandTable.h"
#include "app/CRecentFileList.h"
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

void AddCommands(QMenu& menu, const CCommandTable& commands, std::initializer_list<CommandId> ids) {
    for (CommandId id : ids)
        menu.addAction(commands.GetAction(id));
}

// "&1 path", with any ampersand of the path shown as itself.
QString NumberedEntry(int index, QString text) {
    return QStringLiteral("&%1 %2").arg(index + 1).arg(
        text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

} // namespace

CMenuBars::CMenuBars(QMainWindow& window, QMdiArea& area, const CCommandTable& commands,
                     CRecentFileList& recentFiles)
    : QObject(&window), m_window(window), m_area(area), m_recentFiles(recentFiles),
      m_placeholder(commands.GetAction(FileRecent)) {
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
    BuildNoMapMenus(commands);
    BuildMapMenus(commands);
    connect(&m_recentFiles, &CRecentFileList::Changed, this, &CMenuBars::RefreshRecentActions);
    RefreshRecentActions();
    ShowMapMenus(false);
}

QMenu* CMenuBars::MakeMenu(const QString& title) {
    return new QMenu(title, &m_window);
}

void CMenuBars::BuildNoMapMenus(const CCommandTable& commands) {
    QMenu* file = MakeMenu(QStringLiteral("&File"));
    AddCommands(*file, commands, {FileNew, FileOpen});
    AddRecentFileSection(*file, commands);
    AddCommands(*file, commands, {AppExit});

    QMenu* view = MakeMenu(QStringLiteral("&View"));
    AddCommands(*view, commands, {ViewToolbar, ViewStatusBar});

    QMenu* help = MakeMenu(QStringLiteral("&Help"));
    AddCommands(*help, commands, {AppAbout});
    m_noMapMenus = {file, view, help};
}

void CMenuBars::BuildMapMenus(const CCommandTable& commands) {
    QMenu* file = MakeMenu(QStringLiteral("&File"));
    AddCommands(*file, commands, {FileNew, FileOpen, FileClose, FileSave, FileSaveAs});
    AddRecentFileSection(*file, commands);
    AddCommands(*file, commands, {AppExit});

    QMenu* edit = MakeMenu(QStringLiteral("&Edit"));
    AddCommands(*edit, commands, {EditCut, EditCopy});

    QMenu* view = MakeMenu(QStringLiteral("&View"));
    AddCommands(*view, commands, {ViewToolbar, ViewStatusBar});
    view->addSeparator();
    AddCommands(*view, commands, {FrameMap});

    m_windowMenu = MakeMenu(QStringLiteral("&Window"));
    AddCommands(*m_windowMenu, commands, {WindowNew, WindowCascade, WindowTile, WindowArrange});
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMenuBars::ListWindows);

    QMenu* help = MakeMenu(QStringLiteral("&Help"));
    AddCommands(*help, commands, {AppAbout});
    m_mapMenus = {file, edit, view, m_windowMenu, help};
}

void CMenuBars::AddRecentFileSection(QMenu& menu, const CCommandTable& commands) {
    menu.addSeparator();
    menu.addAction(commands.GetAction(FileRecent));
    menu.addActions(m_recentActions);
    menu.addSeparator();
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
