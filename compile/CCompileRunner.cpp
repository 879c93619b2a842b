#include "compile/CCompileRunner.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <csignal>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

constexpr int kDefaultGraceMilliseconds = 3000;

// A line as a terminal leaves it: compilers redraw a progress count in place
// with carriage returns, and only the last drawing stays.
QString ShownPartOfLine(QString line) {
    if (line.endsWith('\r'))
        line.chop(1);
    const qsizetype lastReturn = line.lastIndexOf('\r');
    return lastReturn < 0 ? line : line.mid(lastReturn + 1);
}

// Output as the log shows it: a NUL byte, which would end the line wherever
// the text goes as a C string, shows as the symbol for it.
QString OutputText(const char* bytes, qsizetype size) {
    return QString::fromLocal8Bit(bytes, size).replace(QChar(u'\0'), QChar(0x2400));
}

// Where a piece of at most CCompileRunner::kLongestLine bytes from `start`
// ends: not inside a character of UTF-8.
qsizetype PieceEnd(const QByteArray& bytes, qsizetype start) {
    qsizetype end = start + CCompileRunner::kLongestLine;
    for (int back = 0; back < 3 && (static_cast<unsigned char>(bytes[end]) & 0xc0) == 0x80; ++back)
        --end;
    return end;
}

// In the child, between fork and exec, where only async-signal-safe calls
// may be made. The step gets a process group of its own, which ends as a
// whole, and is killed with the process that started it, as Linux allows
// (strictly, with its thread: the one of the event loop, which lasts).
void SetUpStepProcess(pid_t parent) {
    ::setpgid(0, 0);
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent died before it could be told.
    if (::getppid() != parent)
        ::_exit(127);
#else
    (void)parent;
#endif
}

QStringList ToQt(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

} // namespace

CCompileRunner::CCompileRunner(QObject* parent) : QObject(parent) {
    m_graceTimer.setSingleShot(true);
    m_graceTimer.setInterval(kDefaultGraceMilliseconds);
    connect(&m_graceTimer, &QTimer::timeout, this, [this] {
        if (m_process && m_process->state() != QProcess::NotRunning) {
            Log(LineKind::kProblem, "The step did not end; killing it");
            SignalStep(SIGKILL);
        }
    });
}

CCompileRunner::~CCompileRunner() {
    if (m_process) {
        m_process->disconnect(this);
        SignalStep(SIGKILL);
        m_process->waitForFinished(1000);
    }
}

void CCompileRunner::Start(std::vector<CompileStep> steps) {
    if (m_running)
        return;
    m_steps = std::move(steps);
    m_index = 0;
    m_running = true;
    m_cancelled = false;
    m_exitStatus = 0;
    m_runTime.start();
    StartNextStep();
}

void CCompileRunner::Cancel() {
    if (!m_running || m_cancelled)
        return;
    m_cancelled = true;
    if (!m_process) {
        Finish(1, "Cancelled after " + DescribeDuration(m_runTime.elapsed()));
        return;
    }
    Log(LineKind::kProblem, "Cancelling " + StepName() + "...");
    SignalStep(SIGTERM);
    m_graceTimer.start();
}

QString CCompileRunner::DescribeDuration(qint64 milliseconds) {
    return QString::number(static_cast<double>(milliseconds) / 1000.0, 'f', 1) + " s";
}

qint64 CCompileRunner::GetElapsedMilliseconds() const {
    if (m_running)
        return m_runTime.elapsed();
    return m_finishedAfter;
}

void CCompileRunner::StartNextStep() {
    // Steps are counted among those that run; one left off is only named.
    while (m_index < m_steps.size() && !m_steps[m_index].enabled) {
        Log(LineKind::kCommand,
            "Left off: " + QFileInfo(QString::fromStdString(m_steps[m_index].program)).fileName());
        ++m_index;
    }
    if (m_index == m_steps.size()) {
        Finish(0, "Compile succeeded in " + DescribeDuration(m_runTime.elapsed()));
        return;
    }
    const CompileStep& step = m_steps[m_index];
    Log(LineKind::kCommand, QString("Step %1 of %2: %3")
                                .arg(CountRunSteps(m_index) + 1)
                                .arg(CountRunSteps(m_steps.size()))
                                .arg(QString::fromStdString(DescribeCommandLine(step))));
    const QString folder = QString::fromStdString(step.folder);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        Finish(1, StepName() + " could not start: the folder " + folder + " does not exist");
        return;
    }
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setWorkingDirectory(folder);
    connect(m_process.get(), &QProcess::readyReadStandardOutput, this, &CCompileRunner::ReadOutput);
    connect(m_process.get(), &QProcess::errorOccurred, this, &CCompileRunner::OnStepError);
    connect(m_process.get(), &QProcess::finished, this, &CCompileRunner::OnStepFinished);
    const pid_t parent = ::getpid();
    m_process->setChildProcessModifier([parent] { SetUpStepProcess(parent); });
    m_stepTime.start();
    m_process->start(QString::fromStdString(step.program), ToQt(step.args));
    m_group = m_process->processId();
    // Made here too, so that it is there however soon the step is cancelled;
    // a step that has gone on to its program already made it.
    if (m_group > 0)
        ::setpgid(static_cast<pid_t>(m_group), static_cast<pid_t>(m_group));
}

void CCompileRunner::ReadOutput() {
    m_partialLine += m_process->readAllStandardOutput();
    QStringList lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_partialLine.indexOf('\n', start);
        // A program that never ends its line still shows what it wrote, a
        // piece at a time.
        if ((end < 0 ? m_partialLine.size() : end) - start > kLongestLine) {
            const qsizetype pieceEnd = PieceEnd(m_partialLine, start);
            lines.append(
                ShownPartOfLine(OutputText(m_partialLine.constData() + start, pieceEnd - start)));
            start = pieceEnd;
            continue;
        }
        if (end < 0)
            break;
        lines.append(ShownPartOfLine(OutputText(m_partialLine.constData() + start, end - start)));
        start = end + 1;
    }
    m_partialLine.remove(0, start);
    if (!lines.isEmpty())
        emit LinesLogged(LineKind::kOutput, lines);
}

// What a step wrote after its last line end, once it has ended.
void CCompileRunner::FlushOutput() {
    ReadOutput();
    FlushPartialLine();
}

void CCompileRunner::FlushPartialLine() {
    if (m_partialLine.isEmpty())
        return;
    Log(LineKind::kOutput,
        ShownPartOfLine(OutputText(m_partialLine.constData(), m_partialLine.size())));
    m_partialLine.clear();
}

void CCompileRunner::OnStepError(QProcess::ProcessError error) {
    // A step that started reports its end through finished.
    if (error != QProcess::FailedToStart || !m_process)
        return;
    const QString reason = m_process->errorString();
    DropProcess();
    if (m_cancelled)
        Finish(1, "Cancelled after " + DescribeDuration(m_runTime.elapsed()));
    else
        Finish(1, StepName() + " could not start: " + reason);
}

void CCompileRunner::OnStepFinished(int exitCode, QProcess::ExitStatus exitStatus) {
    FlushOutput();
    m_graceTimer.stop();
    // What a cancelled step started may outlive it.
    if (m_cancelled)
        SignalStep(SIGKILL);
    DropProcess();
    const QString took = DescribeDuration(m_stepTime.elapsed());
    if (m_cancelled) {
        Finish(1, StepName() + " was cancelled after " + took);
    } else if (exitStatus == QProcess::CrashExit) {
        Finish(1, StepName() + " ended abnormally (killed by a signal) after " + took);
    } else if (exitCode != 0) {
        Finish(exitCode, StepName() + " failed with exit status " + QString::number(exitCode) +
                             " after " + took);
    } else {
        Log(LineKind::kResult, StepName() + " finished in " + took);
        ++m_index;
        StartNextStep();
    }
}

void CCompileRunner::Finish(int exitStatus, const QString& summary) {
    m_running = false;
    m_exitStatus = exitStatus;
    m_finishedAfter = m_runTime.elapsed();
    if (exitStatus != 0 && m_index < m_steps.size() &&
        CountRunSteps(m_steps.size()) > CountRunSteps(m_index + 1))
        Log(LineKind::kProblem, summary + "; the steps after it were not run");
    else
        Log(exitStatus == 0 ? LineKind::kResult : LineKind::kProblem, summary);
    emit Finished(exitStatus);
}

void CCompileRunner::Log(LineKind kind, const QString& line) {
    emit LinesLogged(kind, QStringList{line});
}

// The process is deleted later: this may run inside one of its signals.
void CCompileRunner::DropProcess() {
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        SignalStep(SIGKILL);
        m_process->waitForFinished(1000);
    }
    m_process.release()->deleteLater();
    m_group = 0;
}

void CCompileRunner::SignalStep(int signal) {
    if (m_group > 0 && ::kill(-static_cast<pid_t>(m_group), signal) == 0)
        return;
    if (m_process && m_process->state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(m_process->processId()), signal);
}

size_t CCompileRunner::CountRunSteps(size_t before) const {
    return static_cast<size_t>(std::count_if(m_steps.begin(), m_steps.begin() + before,
                                             [](const CompileStep& step) { return step.enabled; }));
}

QString CCompileRunner::StepName() const {
    if (m_index >= m_steps.size())
        return "The compile";
    return QString("Step %1 (%2)")
        .arg(CountRunSteps(m_index) + 1)
        .arg(QFileInfo(QString::fromStdString(m_steps[m_index].program)).fileName());
}
