#pragma once

#include "compile/CompileProfile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

// Runs the steps of a compile one after the other without blocking: each
// step's command line, its output as it comes (standard output and error
// merged, so their lines keep the order the program wrote them in) and the
// outcome go to the log. A step that cannot start or ends with a status other
// than 0 stops the chain. Each step runs in a process group of its own, with
// whatever it starts: Cancel asks the whole group to end, kills it after the
// grace time, and kills at once what the step leaves behind when it ends
// first; the rest of the steps are not run. Steps die with the process that
// runs them: destroying the runner kills the group, and a step is killed
// even when that process is killed and cannot end it (what the step itself
// started is not, then). A line of output longer than kLongestLine bytes is
// logged in pieces of at most that size; a NUL byte shows as U+2400 (␀).
class CCompileRunner : public QObject {
    Q_OBJECT

public:
    enum class LineKind { kCommand, kOutput, kProblem, kResult };
    Q_ENUM(LineKind)

    static constexpr qsizetype kLongestLine = 64 * 1024;

    explicit CCompileRunner(QObject* parent = nullptr);
    // Kills a step still running, with its group, without waiting for more
    // than a moment.
    ~CCompileRunner() override;

    // Steps as they run, their variables expanded; steps not enabled are
    // passed over with a line in the log. Ignored while a run is under way.
    void Start(std::vector<CompileStep> steps);
    void Cancel();

    bool IsRunning() const { return m_running; }
    // Once finished: 0 when every step succeeded, else the failing step's
    // status, or 1 when it had none (it could not start, was killed or cancelled).
    int GetExitStatus() const { return m_exitStatus; }
    bool WasCancelled() const { return m_cancelled; }
    // Of the run under way, or of the last one.
    qint64 GetElapsedMilliseconds() const;
    // A duration as the log gives it: "2.5 s".
    static QString DescribeDuration(qint64 milliseconds);
    // How long a step asked to end may take before it is killed.
    void SetGraceMilliseconds(int milliseconds) { m_graceTimer.setInterval(milliseconds); }

signals:
    void LinesLogged(CCompileRunner::LineKind kind, const QStringList& lines);
    void Finished(int exitStatus);

private:
    void StartNextStep();
    void ReadOutput();
    void FlushOutput();
    void FlushPartialLine();
    void OnStepError(QProcess::ProcessError error);
    void OnStepFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void Finish(int exitStatus, const QString& summary);
    void Log(LineKind kind, const QString& line);
    void DropProcess();
    // To every process of the running step's group; to the step alone when
    // it has no group.
    void SignalStep(int signal);
    QString StepName() const;
    // The steps that run among the first `before`.
    size_t CountRunSteps(size_t before) const;

    std::vector<CompileStep> m_steps;
    size_t m_index = 0;
    std::unique_ptr<QProcess> m_process;
    qint64 m_group = 0;       // the running step's process group, once it started
    QByteArray m_partialLine; // output after the last line end
    QElapsedTimer m_runTime;
    QElapsedTimer m_stepTime;
    qint64 m_finishedAfter = 0;
    QTimer m_graceTimer;
    bool m_running = false;
    bool m_cancelled = false;
    int m_exitStatus = 0;
};
