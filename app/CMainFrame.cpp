#include "app/CMainFrame.h"

#include "gl/CCameraView.h"

#include "app/AppIcon.h"
#include "app/CChildFrame.h"
#include "app/CCommandTable.h"
#include "app/CDocManager.h"
#include "app/CMenuBars.h"
#include "app/CStatusBarNotices.h"
#include "app/CTolveApp.h"
#include "app/CommandLayout.h"
#include "app/CommandList.h"
#include "app/FileCommands.h"
#include "app/FindCommands.h"
#include "app/ToolBarIcons.h"
#include "app/ViewContextMenu.h"
#include "docks/CEntityInspectorDock.h"
#include "docks/CFaceInspectorDock.h"
#include "docks/CFindDock.h"
#include "docks/CLayersDock.h"
#include "docks/CTextureBrowserDock.h"
#include "view/SelectionDescription.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

namespace {

const char* const kIdleText = "Use \"New Window\" for multiple views";
const char* const kEmptyCoordinates = "x:      , y:      , z:      ";
constexpr int kCoordinatePaneWidth = 150;

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

CMainFrame::CMainFrame(QMdiArea* area, CTolveApp& app)
    : m_area(area), m_app(app), m_docManager(app.GetDocManager()),
      m_commands(new CCommandTable(*this)), m_menus(nullptr) {
    setWindowTitle(QStringLiteral("Tolve"));
    setWindowIcon(MakeApplicationIcon());
    setCentralWidget(m_area);
    m_area->setViewMode(QMdiArea::SubWindowView);
    m_menus = new CMenuBars(*this, *m_area, *m_commands, app.GetRecentFiles());
    CreateToolBar();
    CreateStatusBar();
    CreateTextureBrowser();
    CreateFaceInspector();
    CreateFindDock();
    CreateEntityInspector();
    CreateLayersDock();
    setAcceptDrops(true);
    resize(1000, 720);

    connect(m_commands, &CCommandTable::CommandTriggered, this, &CMainFrame::RunCommand);
    connect(m_area, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveFrameChanged);
    // The toolbar's own context menu can hide it too.
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CMainFrame::RefreshState);
    connect(&m_docManager, &CDocManager::DocumentsChanged, this, &CMainFrame::OnDocumentsChanged);
    // Undo and Redo name the step they take and are disabled with none.
    connect(&m_docManager, &CDocManager::HistoryChanged, this, &CMainFrame::RefreshState);
    // Paste follows the clipboard, whichever program filled or emptied it.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::RefreshState);
    connect(m_menus, &CMenuBars::RecentFileChosen, this, [this](const QString& path) {
        OpenRecentFile(MakeCommandContext(), path);
        RefreshState();
        RestoreViewFocus();
    });
    RefreshState();
}

CMainFrame::~CMainFrame() {
    m_notices.reset();
    // The children go after this part of the window; they must not call back.
    QObject::disconnect(m_cursorConnection);
    QObject::disconnect(m_contextMenuConnection);
    QObject::disconnect(m_cameraConnection);
    disconnect(m_area, nullptr, this, nullptr);
    disconnect(m_toolBar, nullptr, this, nullptr);
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setIconSize(kToolBarIconSize);
    for (const std::optional<CommandId>& slot : MakeToolBarLayout(GetCommandEntries())) {
        if (!slot) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_commands->GetAction(*slot);
        action->setIcon(MakeToolBarIcon(FindCommandEntry(*slot)->icon));
        m_toolBar->addAction(action);
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // The idle text sits under the prompts: a prompt hides it while shown.
    m_idleLabel = new QLabel(QString::fromLatin1(kIdleText), bar);
    bar->addWidget(m_idleLabel, 1);
    m_selectionPane = new QLabel(bar);
    bar->addPermanentWidget(m_selectionPane);
    m_scalePane = new QLabel(bar);
    bar->addPermanentWidget(m_scalePane);
    m_coordinatePane = new QLabel(QString::fromLatin1(kEmptyCoordinates), bar);
    m_coordinatePane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_coordinatePane->setFixedWidth(kCoordinatePaneWidth);
    bar->addPermanentWidget(m_coordinatePane);
    m_notices = std::make_unique<CStatusBarNotices>(*bar);
    // The bar hides the idle text under a message only if it is shown at the
    // time; a notice of a map opened at start-up comes before the window is.
    connect(bar, &QStatusBar::messageChanged, this,
            [this](const QString& message) { m_idleLabel->setVisible(message.isEmpty()); });
}

void CMainFrame::CreateTextureBrowser() {
    m_textureBrowser = new CTextureBrowserDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_textureBrowser);
    // It is there when asked for (View > Texture Browser), out of the way
    // until then.
    m_textureBrowser->hide();
    connect(m_textureBrowser, &CTextureBrowserDock::ApplyRequested, this,
            [this] { RunCommand(CommandId::kApplyTexture); });
    connect(m_textureBrowser, &CTextureBrowserDock::KeyboardReturned, this,
            &CMainFrame::GiveKeyboardToView);
    connect(m_textureBrowser, &CTextureBrowserDock::CurrentTextureChosen, this,
            &CMainFrame::RefreshState);
    connect(&m_docManager, &CDocManager::HistoryChanged, m_textureBrowser,
            &CTextureBrowserDock::RecountSoon);
    connect(&m_docManager, &CDocManager::DocumentClosing, this, [this](const CTolveDoc& doc) {
        if (m_textureBrowser->GetDocument() == &doc)
            m_textureBrowser->SetDocument(nullptr);
    });
}

void CMainFrame::ShowTextureBrowser() {
    m_textureBrowser->FocusFilter();
}

void CMainFrame::CreateFaceInspector() {
    m_faceInspector = new CFaceInspectorDock(this);
    AddMapDock(m_faceInspector);
    connect(m_faceInspector, &CFaceInspectorDock::KeyboardReturned, this,
            &CMainFrame::GiveKeyboardToView);
    // Undo and Redo reach the map in the dock too.
    connect(&m_docManager, &CDocManager::HistoryChanged, m_faceInspector,
            &CFaceInspectorDock::RefreshSoon);
}

void CMainFrame::AddMapDock(CMapDock* dock) {
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    m_mapDocks.push_back(dock);
    connect(&m_docManager, &CDocManager::DocumentClosing, this, [dock](const CTolveDoc& doc) {
        if (dock->GetDocument() == &doc)
            dock->SetDocument(nullptr);
    });
}

void CMainFrame::CreateFindDock() {
    m_findDock = new CFindDock(this);
    AddMapDock(m_findDock);
    connect(m_findDock, &CFindDock::KeyboardReturned, this, &CMainFrame::GiveKeyboardToView);
    connect(m_findDock, &CFindDock::SelectionChosen, this, [this] {
        if (CTolveDoc* doc = m_findDock->GetDocument())
            FrameSelectionInViews(m_docManager, *doc);
        RefreshState();
    });
    connect(&m_docManager, &CDocManager::HistoryChanged, m_findDock, &CFindDock::FindAgainSoon);
}

void CMainFrame::CreateLayersDock() {
    m_layersDock = new CLayersDock(this);
    AddMapDock(m_layersDock);
}

void CMainFrame::ShowLayers() {
    m_layersDock->show();
    m_layersDock->raise();
}

void CMainFrame::ShowFind() {
    m_findDock->FocusText();
}

void CMainFrame::CreateEntityInspector() {
    m_entityInspector = new CEntityInspectorDock(this);
    AddMapDock(m_entityInspector);
    connect(m_entityInspector, &CEntityInspectorDock::KeyboardReturned, this,
            &CMainFrame::GiveKeyboardToView);
    connect(&m_docManager, &CDocManager::HistoryChanged, m_entityInspector,
            &CEntityInspectorDock::RefreshSoon);
}

void CMainFrame::ShowEntityInspector() {
    m_entityInspector->show();
    m_entityInspector->raise();
}

void CMainFrame::ShowFaceInspector() {
    m_faceInspector->show();
    m_faceInspector->raise();
}

// The docks show the map of the active window. Those that hear the map's
// changes forget a map closed without a word (all at once, at the end).
void CMainFrame::FollowActiveDocument(CTolveDoc* doc) {
    m_textureBrowser->SetDocument(doc);
    const auto& open = m_docManager.GetDocuments();
    auto gone = [&](const CTolveDoc* shown) {
        return shown && std::none_of(open.begin(), open.end(),
                                     [&](const auto& each) { return each.get() == shown; });
    };
    for (CMapDock* dock : m_mapDocks) {
        if (gone(dock->GetDocument()))
            dock->ForgetDocument();
        dock->SetDocument(doc);
    }
}

CChildFrame* CMainFrame::GetActiveFrame() const {
    // The current window stays current while another application is active.
    return qobject_cast<CChildFrame*>(m_area->currentSubWindow());
}

CTolveView* CMainFrame::GetActiveView() const {
    CChildFrame* frame = GetActiveFrame();
    if (!frame)
        return nullptr;
    if (CTolveView* view = frame->GetPlaneView())
        return view;
    return m_docManager.FindPlaneView(frame->GetDocument());
}

CCameraView* CMainFrame::GetActiveCameraView() const {
    CChildFrame* frame = GetActiveFrame();
    return frame ? frame->GetCameraView() : nullptr;
}

void CMainFrame::RunCommand(CommandId id) {
    // A key pressed while the mouse still drags: the drag is done first.
    m_docManager.EndDrags();
    const CommandEntry* entry = FindCommandEntry(id);
    const CommandContext context = MakeCommandContext();
    if (entry && IsCommandEnabled(*entry, context))
        entry->run(context);
    RefreshState();
    RestoreViewFocus();
}

CommandContext CMainFrame::MakeCommandContext() {
    return {&m_app, &m_docManager, this, GetActiveView(), GetActiveCameraView()};
}

void CMainFrame::RestoreViewFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (m_textureBrowser->isAncestorOf(focus) || m_faceInspector->isAncestorOf(focus))
        return;
    GiveKeyboardToView();
}

void CMainFrame::GiveKeyboardToView() {
    // Inside a dialog's own loop the dialog keeps the keyboard.
    if (QApplication::activeModalWidget() || isHidden())
        return;
    CChildFrame* frame = GetActiveFrame();
    if (!frame)
        return;
    activateWindow();
    frame->GetViewWidget().setFocus(Qt::OtherFocusReason);
}

void CMainFrame::RefreshState() {
    CTolveView* view = GetActiveView();
    if (view != m_watchedView) {
        QObject::disconnect(m_cursorConnection);
        QObject::disconnect(m_contextMenuConnection);
        QObject::disconnect(m_scaleConnection);
        m_watchedView = view;
        if (view) {
            // The scale pane follows zooms and framing, however they came.
            m_scaleConnection =
                connect(view, &CTolveView::ViewChanged, this, &CMainFrame::RefreshScalePane);
            m_cursorConnection =
                connect(view, &CTolveView::CursorChanged, this, &CMainFrame::RefreshState);
            m_contextMenuConnection = connect(view, &CTolveView::ContextMenuRequested, this,
                                              &CMainFrame::ShowViewContextMenu);
        }
    }
    CCameraView* camera = GetActiveCameraView();
    if (camera != m_watchedCamera) {
        QObject::disconnect(m_cameraConnection);
        m_watchedCamera = camera;
        if (camera) {
            m_cameraConnection =
                connect(camera, &CCameraView::SelectionChanged, this, &CMainFrame::RefreshState);
        }
    }
    m_commands->RefreshStates(MakeCommandContext());
    FollowActiveDocument(view ? &view->GetDocument() : nullptr);
    m_docManager.UpdateAllFrameTitles();
    RefreshTitle();
    RefreshCoordinatePane();
}

void CMainFrame::ShowViewContextMenu(QPoint global) {
    RefreshState();
    QMenu* menu = MakeViewContextMenu(
        MakeCommandContext(), [this](CommandId id) { RunCommand(id); }, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}

void CMainFrame::RefreshCoordinatePane() {
    CTolveView* view = GetActiveView();
    m_selectionPane->setText(view ? QString::fromStdString(DescribeSelection(view->GetDocument()))
                                  : QString());
    RefreshScalePane();
    m_coordinatePane->setText(view ? QString::fromLatin1(view->GetCoordinateText())
                                   : QString::fromLatin1(kEmptyCoordinates));
}

void CMainFrame::RefreshScalePane() {
    CTolveView* view = GetActiveView();
    m_scalePane->setText(view ? QString::fromStdString(view->GetScaleText()) : QString());
}

void CMainFrame::RefreshTitle() {
    CChildFrame* frame = GetActiveFrame();
    QString title = QStringLiteral("Tolve");
    if (frame)
        title += QStringLiteral(" - [%1]").arg(frame->windowTitle());
    setWindowTitle(title);
}

void CMainFrame::OnDocumentsChanged() {
    m_menus->ShowMapMenus(!m_docManager.GetDocuments().empty());
    RefreshState();
}

void CMainFrame::OnActiveFrameChanged() {
    // A notice speaks of the map it came with, not of the one now active.
    CTolveView* view = GetActiveView();
    const CTolveDoc* doc = view ? &view->GetDocument() : nullptr;
    if (doc != m_noticeDocument) {
        statusBar()->clearMessage();
        m_noticeDocument = doc;
    }
    RefreshState();
}

void CMainFrame::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    RestoreViewFocus();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_docManager.SaveAllModified()) {
        event->ignore();
        return;
    }
    m_docManager.CloseAllDocuments();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString& file : files)
        m_docManager.OpenDocument(file);
    RefreshState();
    RestoreViewFocus();
}
