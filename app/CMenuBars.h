#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <vector>

class CCommandTable;
class CRecentFileList;
class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
struct MenuItem;
struct MenuLayout;

// The two menu bars of the main window: File, View, Help while no map is open;
// File, Edit, View, Window, Help while one is. The File menus list the recent
// files where their placeholder stands, and the Window menu lists the windows.
class CMenuBars : public QObject {
    Q_OBJECT

public:
    CMenuBars(QMainWindow& window, QMdiArea& area, const CCommandTable& commands,
              CRecentFileList& recentFiles);

    void ShowMapMenus(bool mapOpen);
    bool IsShowingMapMenus() const { return m_showingMapMenus; }

    const QList<QAction*>& GetRecentActions() const { return m_recentActions; }

signals:
    void RecentFileChosen(const QString& path);

private:
    QList<QMenu*> BuildMenus(const std::vector<MenuLayout>& layouts, const CCommandTable& commands);
    QMenu* BuildMenu(const MenuLayout& layout, const CCommandTable& commands);
    void AddItems(QMenu& menu, const std::vector<MenuItem>& items, const CCommandTable& commands);
    void AddRecentFileList(QMenu& menu);
    void RefreshRecentActions();
    void ListWindows();

    QMainWindow& m_window;
    QMdiArea& m_area;
    CRecentFileList& m_recentFiles;
    QAction* m_placeholder; // "Recent File", shown while the list is empty
    QList<QMenu*> m_noMapMenus;
    QList<QMenu*> m_mapMenus;
    QList<QAction*> m_recentActions;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowListActions;
    bool m_showingMapMenus = false;
};
