// How the compile log keeps up with a chatty compiler: what one batch of
// lines costs the editor (the log gathers lines and shows them every 50 ms,
// so 500 lines is a batch at 10,000 lines a second), with the log empty and
// at its size limit; and a whole run of a program printing 10,000 lines,
// from its start until the last line is shown, and of one printing 400,000
// as fast as it can, where the log shows a slice at a time and leaves out
// what it cannot keep.
#include "compile/CCompileRunner.h"
#include "dialogs/CCompileLogWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBatchLines = 500;

QStringList NumberedLines(int first, int count) {
    QStringList lines;
    lines.reserve(count);
    for (int n = first; n < first + count; ++n)
        lines.append(QString("light: face %1 of 98304, 17 lightmaps, 2.4 ms").arg(n));
    return lines;
}

void BM_CompileLogBatch(benchmark::State& state) {
    CCompileLogWindow window;
    window.show();
    window.BeginRun("bench");
    for (int held = 0; held < state.range(0); held += 10000)
        window.AppendLines(CCompileRunner::LineKind::kOutput, NumberedLines(held, 10000));
    window.FlushPendingLines();
    QCoreApplication::processEvents();
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QStringList batch = NumberedLines(next, kBatchLines);
        next += kBatchLines;
        state.ResumeTiming();
        window.AppendLines(CCompileRunner::LineKind::kOutput, batch);
        window.FlushPendingLines();
        QCoreApplication::processEvents(); // the repaint the batch brings
    }
    state.SetItemsProcessed(state.iterations() * kBatchLines);
}
BENCHMARK(BM_CompileLogBatch)
    ->Arg(0)
    ->Arg(CCompileLogWindow::kMaximumLines)
    ->Unit(benchmark::kMillisecond);

void BM_CompileRunIntoLog(benchmark::State& state) {
    const QString seq = QStandardPaths::findExecutable("seq");
    if (seq.isEmpty()) {
        state.SkipWithError("seq is not on the PATH");
        return;
    }
    const int lines = static_cast<int>(state.range(0));
    CCompileLogWindow window;
    window.show();
    for (auto _ : state) {
        CCompileRunner runner;
        QObject::connect(&runner, &CCompileRunner::LinesLogged, &window,
                         &CCompileLogWindow::AppendLines);
        window.BeginRun("bench");
        runner.Start({{seq.toStdString(), {"1", std::to_string(lines)}, "", true}});
        while (runner.IsRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window.FlushPendingLines();
        if (!window.GetLogText().contains(QString("\n%1\n").arg(lines)))
            state.SkipWithError("a line went missing");
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_CompileRunIntoLog)
    ->Arg(10000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
