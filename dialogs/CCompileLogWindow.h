#pragma once

#include "compile/CCompileRunner.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <utility>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The log of a map's compile: each step's command line, its output as it
// comes, and the outcome, with the time run so far. Lines arriving quickly are
// gathered and shown a few times a second, so that a compiler printing
// thousands of lines a second does not hold up the editor. The window does not
// block the editor; closing it leaves the compile running.
class CCompileLogWindow : public QDialog {
    Q_OBJECT

public:
    explicit CCompileLogWindow(QWidget* parent = nullptr);

    // Empties the log for a new run of the map titled `mapTitle`.
    void BeginRun(const QString& mapTitle);
    void AppendLines(CCompileRunner::LineKind kind, const QStringList& lines);
    // The outcome in the status line; Cancel is disabled.
    void EndRun(int exitStatus, bool cancelled, qint64 elapsedMilliseconds);

    // Shows what is still gathered.
    void FlushPendingLines();
    // The whole log, gathered lines included.
    QString GetLogText();

    QPlainTextEdit* GetLog() const { return m_log; }
    QLabel* GetStatusLabel() const { return m_status; }
    QPushButton* GetCancelButton() const { return m_cancel; }
    QPushButton* GetCloseButton() const { return m_close; }

    // The oldest lines go beyond this many, to bound the memory of a long run.
    static constexpr int kMaximumLines = 200000;

signals:
    void CancelRequested();

private:
    void ShowRunningTime();
    void AppendChunk(CCompileRunner::LineKind kind, const QString& text);

    QPlainTextEdit* m_log;
    QLabel* m_status;
    QPushButton* m_cancel;
    QPushButton* m_close;
    std::vector<std::pair<CCompileRunner::LineKind, QStringList>> m_pending;
    QTimer m_flushTimer;
    QTimer m_clockTimer;
    QElapsedTimer m_runTime;
};
