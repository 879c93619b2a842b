#include "app/CCompileRuns.h"

#include "app/CDocManager.h"
#include "app/PointFileCommands.h"
#include "compile/CCompileRunner.h"
#include "dialogs/CCompileLogWindow.h"
#include "framework/CMessageService.h"
#include "map/CTolveDoc.h"
#include "map/PointFile.h"

#include <QStringList>

namespace {

std::optional<std::filesystem::file_time_type> FileTime(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return time;
}

void ShowInFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// The keyboard stays in the view, so that editing goes on while the log runs.
void ShowBesideTheView(QWidget& window) {
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
    window.raise();
}

} // namespace

CCompileRuns::CCompileRuns(CDocManager& docs) {
    connect(&docs, &CDocManager::DocumentClosing, this, &CCompileRuns::OnDocumentClosing);
}

CCompileRuns::~CCompileRuns() {
    for (auto& [doc, run] : m_runs)
        delete run.window.data();
}

bool CCompileRuns::Start(CTolveDoc& doc, const CompileProfile& profile,
                         const std::string& gameFolder) {
    if (IsRunning(doc)) {
        ShowLogWindow(doc);
        return false;
    }
    const CompileVariables variables = MakeCompileVariables(doc.GetPathName(), gameFolder);
    if (const std::optional<std::string> problem = FindUnsetVariable(profile, variables)) {
        ShowMessageBox("Compile", *problem + ". Set it in Compile > Profiles...",
                       MessageIcon::kWarning);
        return false;
    }
    std::vector<CompileStep> steps;
    for (const CompileStep& step : profile.steps)
        steps.push_back(ExpandCompileStep(step, variables));
    Run& run = RunOf(doc);
    run.pointFilePath = PointFilePathOf(doc.GetPathName());
    run.pointFileBefore = FileTime(run.pointFilePath);
    run.window->BeginRun(QString::fromStdString(doc.GetTitle()));
    run.window->AppendLines(
        CCompileRunner::LineKind::kCommand,
        {QString::fromStdString("Profile \"" + profile.name + "\" on " + doc.GetPathName())});
    ShowBesideTheView(*run.window);
    run.runner->Start(std::move(steps));
    return true;
}

bool CCompileRuns::IsRunning(const CTolveDoc& doc) const {
    const auto found = m_runs.find(&doc);
    return found != m_runs.end() && found->second.runner->IsRunning();
}

CCompileLogWindow* CCompileRuns::GetLogWindow(const CTolveDoc& doc) const {
    const auto found = m_runs.find(&doc);
    return found == m_runs.end() ? nullptr : found->second.window.data();
}

bool CCompileRuns::ShowLogWindow(const CTolveDoc& doc) const {
    CCompileLogWindow* window = GetLogWindow(doc);
    if (window)
        ShowInFront(*window);
    return window != nullptr;
}

CCompileRunner* CCompileRuns::GetRunner(const CTolveDoc& doc) const {
    const auto found = m_runs.find(&doc);
    return found == m_runs.end() ? nullptr : found->second.runner.get();
}

CCompileRuns::Run& CCompileRuns::RunOf(CTolveDoc& doc) {
    Run& run = m_runs[&doc];
    if (run.runner)
        return run;
    run.runner = std::make_unique<CCompileRunner>();
    run.window = new CCompileLogWindow(m_windowParent);
    CCompileRunner* runner = run.runner.get();
    CCompileLogWindow* window = run.window;
    connect(runner, &CCompileRunner::LinesLogged, window, &CCompileLogWindow::AppendLines);
    connect(window, &CCompileLogWindow::CancelRequested, runner, &CCompileRunner::Cancel);
    connect(runner, &CCompileRunner::Finished, this,
            [this, &doc](int exitStatus) { OnFinished(doc, exitStatus); });
    return run;
}

void CCompileRuns::OnFinished(CTolveDoc& doc, int exitStatus) {
    Run& run = m_runs.at(&doc);
    LoadFreshPointFile(doc, run);
    if (run.window)
        run.window->EndRun(exitStatus, run.runner->WasCancelled(),
                           run.runner->GetElapsedMilliseconds());
    emit RunFinished(doc, exitStatus);
}

// A trace written by this run shows where the map leaks; one the compiler
// removed no longer does, so a trace shown is taken away; an older one is
// left alone, as it may be the user's own.
void CCompileRuns::LoadFreshPointFile(CTolveDoc& doc, Run& run) {
    const std::optional<std::filesystem::file_time_type> now = FileTime(run.pointFilePath);
    if (!now) {
        if (run.pointFileBefore && ClearPointFileOf(doc) && run.window)
            run.window->AppendLines(CCompileRunner::LineKind::kResult,
                                    {"The compiler removed the leak trace; it is no longer drawn"});
        return;
    }
    if (now == run.pointFileBefore)
        return;
    if (!LoadPointFileIntoDocument(doc, run.pointFilePath))
        return;
    const size_t count = doc.m_pointFile ? doc.m_pointFile->points.size() : 0;
    if (run.window)
        run.window->AppendLines(CCompileRunner::LineKind::kProblem,
                                {QString("The map leaks: the trace %1 (%2 points) is drawn in the "
                                         "views; View > Frame Selection shows it")
                                     .arg(QString::fromStdString(run.pointFilePath))
                                     .arg(count)});
}

void CCompileRuns::OnDocumentClosing(const CTolveDoc& doc) {
    const auto found = m_runs.find(&doc);
    if (found == m_runs.end())
        return;
    Run run = std::move(found->second);
    m_runs.erase(found);
    // The runner ends its step as it goes; the window with it.
    run.runner.reset();
    if (run.window)
        run.window->deleteLater();
}
