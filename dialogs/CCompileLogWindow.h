#pragma once

#include "compile/CCompileRunner.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <utility>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The log of a map's compile: each step's command line, its output as it
// comes, and the outcome, with the time run so far. Lines arriving quickly are
// gathered and shown a few times a second, at most a slice at a time with the
// editor's other work between slices, so that however fast a compiler prints
// the editor does not freeze; lines beyond what the log keeps are left out
// before they are ever shown. The log keeps a number of lines and an amount
// of text: the oldest lines go beyond either, and a line says how much went.
// The window does not block the editor; closing it leaves the compile
// running.
class CCompileLogWindow : public QDialog {
    Q_OBJECT

public:
    explicit CCompileLogWindow(QWidget* parent = nullptr);

    // Empties the log for a new run of the map titled `mapTitle`.
    void BeginRun(const QString& mapTitle);
    void AppendLines(CCompileRunner::LineKind kind, const QStringList& lines);
    // The outcome in the status line; Cancel is disabled.
    void EndRun(int exitStatus, bool cancelled, qint64 elapsedMilliseconds);

    // Shows everything still gathered at once.
    void FlushPendingLines();
    int GetPendingLineCount() const { return m_pendingCount; }
    // The whole log, gathered lines included.
    QString GetLogText();

    QPlainTextEdit* GetLog() const { return m_log; }
    QLabel* GetStatusLabel() const { return m_status; }
    QPushButton* GetCancelButton() const { return m_cancel; }
    QPushButton* GetCloseButton() const { return m_close; }

    // The oldest lines go beyond this many, to bound the memory of a long run.
    static constexpr int kMaximumLines = 200000;
    void SetMaximumLines(int lines);
    // And beyond this many characters of output, 64 MiB as Qt keeps text; no
    // line is longer than CCompileRunner::kLongestLine.
    static constexpr qsizetype kMaximumCharacters = 32 * 1024 * 1024;
    void SetMaximumCharacters(qsizetype characters);
    // The most lines, and characters, shown before the editor gets its turn
    // again.
    static constexpr int kLinesPerSlice = 2000;
    static constexpr qsizetype kCharactersPerSlice = 1024 * 1024;

signals:
    void CancelRequested();

private:
    void ShowRunningTime();
    void ShowPendingLines(int most, qsizetype mostCharacters);
    void ShowNextSlice();
    void LeaveOutOldestPending();
    void LeaveOutOldestShown();
    void AppendChunk(CCompileRunner::LineKind kind, const QString& text);

    QPlainTextEdit* m_log;
    QLabel* m_status;
    QPushButton* m_cancel;
    QPushButton* m_close;
    std::deque<std::pair<CCompileRunner::LineKind, QStringList>> m_pending;
    int m_maximumLines = kMaximumLines;
    qsizetype m_maximumCharacters = kMaximumCharacters;
    int m_pendingCount = 0;
    qsizetype m_pendingCharacters = 0; // line ends counted
    int m_leftOut = 0;                 // lines dropped before they were shown
    // Lines shown and then dropped for the amount of text, and their size.
    int m_leftOutShown = 0;
    qsizetype m_leftOutShownCharacters = 0;
    QTimer m_flushTimer;
    QTimer m_clockTimer;
    QElapsedTimer m_runTime;
};
