#pragma once

#include "view/TolveCommands.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class CChildFrame;
class CCommandTable;
class CDocManager;
class CMenuBars;
class CRecentFileList;
class CStatusBarNotices;
class CTolveView;
class QLabel;
class QMdiArea;
class QToolBar;

// The main window: child windows of the open maps inside, the menu bar, the
// toolbar and the status bar around them. Commands go to the active view when
// it handles them, then to the frame, and what is left to the application.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Takes the area that the document manager fills with child windows.
    CMainFrame(QMdiArea* area, CDocManager& docManager, CRecentFileList& recentFiles);
    ~CMainFrame() override;

    QMdiArea& GetMdiArea() const { return *m_area; }
    CChildFrame* GetActiveFrame() const;
    CTolveView* GetActiveView() const;
    CCommandTable& GetCommands() const { return *m_commands; }
    CMenuBars& GetMenuBars() const { return *m_menus; }
    QToolBar& GetToolBar() const { return *m_toolBar; }
    QLabel& GetIdleLabel() const { return *m_idleLabel; }
    QLabel& GetCoordinatePane() const { return *m_coordinatePane; }

    // Runs a command as if it came from a menu, button or key.
    void RunCommand(CommandId id);
    // Brings check marks, enabling, titles and the coordinate pane up to date.
    void RefreshState();
    // Shows the window in front of the others, for a file another process sent.
    void BringToFront();
    // Gives the keyboard back to the active view, after a dialog, chooser or
    // message box took it.
    void RestoreViewFocus();

signals:
    // A command neither the view nor the frame handles: New, Open, About.
    void ApplicationCommand(CommandId id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateToolBar();
    void CreateStatusBar();
    bool HandleFrameCommand(CommandId id);
    void ArrangeIcons();
    void OnDocumentsChanged();
    void OnActiveFrameChanged();
    void RefreshCoordinatePane();
    void RefreshTitle();

    QMdiArea* m_area;
    CDocManager& m_docManager;
    CCommandTable* m_commands;
    CMenuBars* m_menus;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idleLabel = nullptr;
    QLabel* m_coordinatePane = nullptr;
    QPointer<CTolveView> m_watchedView; // whose cursor the pane shows
    QMetaObject::Connection m_cursorConnection;
    std::unique_ptr<CStatusBarNotices> m_notices;
};
