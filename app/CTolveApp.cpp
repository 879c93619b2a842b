#include "app/CTolveApp.h"

#include "app/CAutosaveIndicator.h"
#include "app/CAutosaver.h"
#include "app/CCompileRuns.h"
#include "app/CDocManager.h"
#include "app/CInstanceServer.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/MapRecovery.h"
#include "texture/TexturePalette.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QStatusBar>

CTolveApp::CTolveApp() = default;

CTolveApp::~CTolveApp() {
    // Windows go before their documents, and both before the main window.
    // Autosave goes first: a map still open now was never closed by the
    // user, and its copies stay.
    // Compiles still running end after the maps, whose closing windows ask
    // for their logs, and before the main window, which holds the logs.
    m_instanceServer.reset();
    m_autosaver.reset();
    m_docManager.reset();
    m_compileRuns.reset();
    m_mainFrame.reset();
}

bool CTolveApp::InitInstance(const StartupOptions& options) {
    m_recentFiles = std::make_unique<CRecentFileList>();
    m_recentFiles->LoadRecentFiles();

    // The sound is looked for where the editor was started, wherever the
    // working directory goes later.
    m_soundPath = QFile::encodeName(QDir::currentPath()).toStdString() + "/al'tolve.wav";

    // Every document's texture previews use the palette, so it comes first.
    LoadTexturePalette();

    auto* area = new QMdiArea;
    m_docManager = std::make_unique<CDocManager>(*area, *m_recentFiles);
    // Saves killed last time left temporary files beside the maps they saved,
    // most likely the maps worked on lately.
    m_docManager->SweepStaleSaves(m_recentFiles->GetPaths());
    m_compileRuns = std::make_unique<CCompileRuns>(*m_docManager);
    m_mainFrame = std::make_unique<CMainFrame>(area, *this);
    m_compileRuns->SetWindowParent(m_mainFrame.get());

    if (options.singleInstance) {
        QString name = options.serverName.isEmpty() ? CInstanceServer::GetDefaultServerName()
                                                    : options.serverName;
        m_instanceServer = std::make_unique<CInstanceServer>(name);
        if (m_instanceServer->Listen())
            connect(m_instanceServer.get(), &CInstanceServer::FilesReceived, this,
                    &CTolveApp::OpenSentFiles);
        else
            m_instanceServer.reset(); // another editor keeps the name
    }

    StartAutosave(options);
    // A picture of the window is taken unattended: nothing may ask.
    const int recovered =
        options.screenshotPath.isEmpty() ? OfferMapRecovery(*m_autosaver, m_mainFrame.get()) : 0;
    ProcessCommandLine(options.files, recovered);
    m_mainFrame->show();
    m_mainFrame->RefreshState();
    return true;
}

void CTolveApp::StartAutosave(const StartupOptions& options) {
    const QString folder =
        options.autosaveFolder.isEmpty() ? CAutosaver::DefaultFolder() : options.autosaveFolder;
    m_autosaver = std::make_unique<CAutosaver>(*m_docManager, folder);
    QStatusBar* bar = m_mainFrame->statusBar();
    bar->addPermanentWidget(new CAutosaveIndicator(*m_autosaver, bar));
    m_autosaver->Start(CAutosaver::LoadIntervalMinutes());
}

void CTolveApp::ProcessCommandLine(const QStringList& files, int recoveredMaps) {
    // Recovered maps are what the user wanted to go on with, so the empty
    // new map would only be in the way.
    if (files.isEmpty() && recoveredMaps == 0) {
        m_docManager->NewDocument();
        return;
    }
    // A map that cannot be read has said so; the editor stays open without it.
    for (const QString& file : files)
        m_docManager->OpenDocument(file);
}

void CTolveApp::OpenSentFiles(const QStringList& paths) {
    for (const QString& path : paths)
        m_docManager->OpenDocument(path);
    m_mainFrame->BringToFront();
    m_mainFrame->RefreshState();
}
