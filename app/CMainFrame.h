#pragma once

#include "app/CommandEntry.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class CChildFrame;
class CCommandTable;
class CDocManager;
class CMenuBars;
class CStatusBarNotices;
class CTolveApp;
class CEntityInspectorDock;
class CFaceInspectorDock;
class CFindDock;
class CLayersDock;
class CMapDock;
class CTextureBrowserDock;
class CTolveDoc;
class CCameraView;
class CTolveView;
class QLabel;
class QMdiArea;
class QToolBar;

// The main window: child windows of the open maps inside, the menu bar, the
// toolbar and the status bar around them. Commands run from their entries in
// the command table, with this frame, the application and the active view.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Takes the area that the application's document manager fills with child
    // windows.
    CMainFrame(QMdiArea* area, CTolveApp& app);
    ~CMainFrame() override;

    QMdiArea& GetMdiArea() const { return *m_area; }
    CChildFrame* GetActiveFrame() const;
    // The active window's flat view; for a camera view, a flat view of its map.
    CTolveView* GetActiveView() const;
    CCameraView* GetActiveCameraView() const;
    CCommandTable& GetCommands() const { return *m_commands; }
    CMenuBars& GetMenuBars() const { return *m_menus; }
    QToolBar& GetToolBar() const { return *m_toolBar; }
    QLabel& GetIdleLabel() const { return *m_idleLabel; }
    QLabel& GetCoordinatePane() const { return *m_coordinatePane; }
    // What is hovered and selected in the active view's map.
    QLabel& GetSelectionPane() const { return *m_selectionPane; }
    QLabel& GetScalePane() const { return *m_scalePane; }

    // Runs a command as if it came from a menu, button or key; a disabled one
    // does nothing.
    void RunCommand(CommandId id);
    // What the commands act on right now.
    CommandContext MakeCommandContext();
    // Brings check marks, enabling, titles and the coordinate pane up to date.
    void RefreshState();
    // Shows the window in front of the others, for a file another process sent.
    void BringToFront();
    // Gives the keyboard back to the active view, after a dialog, chooser or
    // message box took it. A dock that has the keyboard keeps it: the user or
    // a command put it there.
    void RestoreViewFocus();
    // The same, taking it from a dock too.
    void GiveKeyboardToView();
    CTextureBrowserDock& GetTextureBrowser() const { return *m_textureBrowser; }
    // Shows the texture browser with the keyboard in its filter.
    void ShowTextureBrowser();
    CFaceInspectorDock& GetFaceInspector() const { return *m_faceInspector; }
    // Shows the face inspector; the keyboard stays where it is.
    void ShowFaceInspector();
    CEntityInspectorDock& GetEntityInspector() const { return *m_entityInspector; }
    // Shows the entity inspector; the keyboard stays where it is.
    void ShowEntityInspector();
    CFindDock& GetFindDock() const { return *m_findDock; }
    CLayersDock& GetLayersDock() const { return *m_layersDock; }
    void ShowLayers();
    // Shows Find with the keyboard in its text.
    void ShowFind();
    // The active view's pop-up menu, shown without waiting for a choice.
    void ShowViewContextMenu(QPoint global);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTextureBrowser();
    void CreateFaceInspector();
    void CreateFindDock();
    void CreateEntityInspector();
    void CreateLayersDock();
    // A dock of the active map, at the right and out of the way until asked
    // for; it lets go of a map that closes.
    void AddMapDock(CMapDock* dock);
    void FollowActiveDocument(CTolveDoc* doc);
    void OnDocumentsChanged();
    void OnActiveFrameChanged();
    void RefreshCoordinatePane();
    void RefreshScalePane();
    void RefreshTitle();

    QMdiArea* m_area;
    CTolveApp& m_app;
    CDocManager& m_docManager;
    CCommandTable* m_commands;
    CMenuBars* m_menus;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idleLabel = nullptr;
    CTextureBrowserDock* m_textureBrowser = nullptr;
    CFaceInspectorDock* m_faceInspector = nullptr;
    CFindDock* m_findDock = nullptr;
    CEntityInspectorDock* m_entityInspector = nullptr;
    CLayersDock* m_layersDock = nullptr;
    std::vector<CMapDock*> m_mapDocks; // those above that follow the active map
    QLabel* m_coordinatePane = nullptr;
    QLabel* m_selectionPane = nullptr;
    QLabel* m_scalePane = nullptr;      // the snap step and the scale
    QPointer<CTolveView> m_watchedView; // whose cursor the pane shows
    QMetaObject::Connection m_cursorConnection;
    QMetaObject::Connection m_contextMenuConnection;
    QMetaObject::Connection m_cameraConnection;
    CCameraView* m_watchedCamera = nullptr;
    QMetaObject::Connection m_scaleConnection;
    std::unique_ptr<CStatusBarNotices> m_notices;
    const CTolveDoc* m_noticeDocument = nullptr; // the map active when the last notice came
};
