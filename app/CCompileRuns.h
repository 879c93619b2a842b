#pragma once

#include "compile/CompileProfile.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CCompileLogWindow;
class CCompileRunner;
class CDocManager;
class CTolveDoc;
class QWidget;

// The compiles under way, at most one per map, each with its log window.
// When a run ends, a leak trace the compiler left beside the map is drawn in
// its views. A map that closes ends its compile.
class CCompileRuns : public QObject {
    Q_OBJECT

public:
    explicit CCompileRuns(CDocManager& docs);
    // Log windows made from now on stand over `parent`.
    void SetWindowParent(QWidget* parent) { m_windowParent = parent; }
    ~CCompileRuns() override;

    // Runs the profile on the map as saved at its path, showing the log.
    // False, showing the log of the run under way, when the map is already
    // being compiled; false with a message when a step to run names the game
    // folder and none is set.
    bool Start(CTolveDoc& doc, const CompileProfile& profile, const std::string& gameFolder);
    bool IsRunning(const CTolveDoc& doc) const;
    // The map's log window, once it was compiled; null before.
    CCompileLogWindow* GetLogWindow(const CTolveDoc& doc) const;
    // Brings the map's log window to the front; false when it has none.
    bool ShowLogWindow(const CTolveDoc& doc) const;
    CCompileRunner* GetRunner(const CTolveDoc& doc) const;

signals:
    void RunFinished(const CTolveDoc& doc, int exitStatus);

private:
    struct Run {
        std::unique_ptr<CCompileRunner> runner;
        QPointer<CCompileLogWindow> window;
        std::string pointFilePath;
        // The trace's time before the run; none when there was no trace.
        std::optional<std::filesystem::file_time_type> pointFileBefore;
    };

    Run& RunOf(CTolveDoc& doc);
    void OnFinished(CTolveDoc& doc, int exitStatus);
    void LoadFreshPointFile(CTolveDoc& doc, Run& run);
    void OnDocumentClosing(const CTolveDoc& doc);

    QWidget* m_windowParent = nullptr;
    std::map<const CTolveDoc*, Run> m_runs;
};
