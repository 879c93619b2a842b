#pragma once

#include "app/StartupOptions.h"

#include <QObject>

#include <memory>
#include <string>

class CAutosaver;
class CCompileRuns;
class CDocManager;
class CInstanceServer;
class CMainFrame;
class CRecentFileList;

// The editor as a whole: start-up, the recent files and the About sound that
// the commands use.
class CTolveApp : public QObject {
    Q_OBJECT

public:
    CTolveApp();
    ~CTolveApp() override;

    // Starts the editor: recent files, the About sound's path, the palette, the
    // main window, the single-instance server, autosave with the recovery of
    // what an earlier run left, and the command line, then shows the window.
    // False when the editor cannot run.
    bool InitInstance(const StartupOptions& options);

    CMainFrame& GetMainFrame() const { return *m_mainFrame; }
    CDocManager& GetDocManager() const { return *m_docManager; }
    CRecentFileList& GetRecentFiles() const { return *m_recentFiles; }
    CAutosaver& GetAutosaver() const { return *m_autosaver; }
    CCompileRuns& GetCompileRuns() const { return *m_compileRuns; }
    const std::string& GetSoundPath() const { return m_soundPath; }
    // Null unless single-instance mode is on and this editor holds the name.
    CInstanceServer* GetInstanceServer() const { return m_instanceServer.get(); }

private:
    void StartAutosave(const StartupOptions& options);
    void ProcessCommandLine(const QStringList& files, int recoveredMaps);
    void OpenSentFiles(const QStringList& paths);

    std::string m_soundPath; // fixed at start-up
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<CDocManager> m_docManager;
    std::unique_ptr<CAutosaver> m_autosaver;
    std::unique_ptr<CCompileRuns> m_compileRuns;
    std::unique_ptr<CInstanceServer> m_instanceServer;
};
