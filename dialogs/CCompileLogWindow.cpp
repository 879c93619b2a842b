#include "dialogs/CCompileLogWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFlushMilliseconds = 50;
constexpr int kClockMilliseconds = 100;

QTextCharFormat FormatOf(CCompileRunner::LineKind kind) {
    QTextCharFormat format;
    switch (kind) {
    case CCompileRunner::LineKind::kCommand:
        format.setFontWeight(QFont::Bold);
        break;
    case CCompileRunner::LineKind::kProblem:
        format.setFontWeight(QFont::Bold);
        format.setForeground(QColor(0xb0, 0x00, 0x00));
        break;
    case CCompileRunner::LineKind::kResult:
        format.setForeground(QColor(0x00, 0x70, 0x00));
        break;
    case CCompileRunner::LineKind::kOutput:
        break;
    }
    return format;
}

} // namespace

CCompileLogWindow::CCompileLogWindow(QWidget* parent)
    : QDialog(parent), m_log(new QPlainTextEdit(this)), m_status(new QLabel(this)),
      m_cancel(new QPushButton("Cancel", this)), m_close(new QPushButton("Close", this)) {
    setWindowTitle("Compile");
    setModal(false);
    resize(760, 480);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setMaximumBlockCount(kMaximumLines);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_cancel->setAutoDefault(false);
    m_cancel->setEnabled(false);
    m_close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_log, 1);
    layout->addLayout(buttons);

    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushMilliseconds);
    connect(&m_flushTimer, &QTimer::timeout, this, &CCompileLogWindow::ShowNextSlice);
    m_clockTimer.setInterval(kClockMilliseconds);
    connect(&m_clockTimer, &QTimer::timeout, this, &CCompileLogWindow::ShowRunningTime);
    connect(m_cancel, &QPushButton::clicked, this, &CCompileLogWindow::CancelRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
}

void CCompileLogWindow::SetMaximumLines(int lines) {
    m_maximumLines = std::max(lines, 2);
    m_log->setMaximumBlockCount(m_maximumLines);
}

void CCompileLogWindow::BeginRun(const QString& mapTitle) {
    setWindowTitle("Compile - " + mapTitle);
    m_pending.clear();
    m_pendingCount = 0;
    m_leftOut = 0;
    m_log->clear();
    m_cancel->setEnabled(true);
    m_runTime.start();
    m_clockTimer.start();
    ShowRunningTime();
}

void CCompileLogWindow::AppendLines(CCompileRunner::LineKind kind, const QStringList& lines) {
    if (!m_pending.empty() && m_pending.back().first == kind)
        m_pending.back().second.append(lines);
    else
        m_pending.emplace_back(kind, lines);
    m_pendingCount += static_cast<int>(lines.size());
    if (m_pendingCount >= m_maximumLines)
        LeaveOutOldestPending();
    if (!m_flushTimer.isActive())
        m_flushTimer.start(kFlushMilliseconds);
}

void CCompileLogWindow::EndRun(int exitStatus, bool cancelled, qint64 elapsedMilliseconds) {
    FlushPendingLines();
    m_clockTimer.stop();
    m_cancel->setEnabled(false);
    if (cancelled)
        m_status->setText("Cancelled after " +
                          CCompileRunner::DescribeDuration(elapsedMilliseconds));
    else if (exitStatus == 0)
        m_status->setText("Succeeded in " + CCompileRunner::DescribeDuration(elapsedMilliseconds));
    else
        m_status->setText(QString("Failed (exit status %1) after %2")
                              .arg(exitStatus)
                              .arg(CCompileRunner::DescribeDuration(elapsedMilliseconds)));
}

void CCompileLogWindow::FlushPendingLines() {
    m_flushTimer.stop();
    ShowPendingLines(m_pendingCount);
}

// A slice, and the next one as soon as the editor has had its turn.
void CCompileLogWindow::ShowNextSlice() {
    ShowPendingLines(kLinesPerSlice);
    if (m_pendingCount > 0)
        m_flushTimer.start(0);
}

void CCompileLogWindow::ShowPendingLines(int most) {
    if (m_pending.empty())
        return;
    QScrollBar* scroll = m_log->verticalScrollBar();
    const bool followEnd = scroll->value() == scroll->maximum();
    if (m_leftOut > 0) {
        AppendChunk(CCompileRunner::LineKind::kProblem,
                    QString("(%1 lines came too fast to keep and were left out)").arg(m_leftOut));
        m_leftOut = 0;
    }
    while (most > 0 && !m_pending.empty()) {
        auto& [kind, lines] = m_pending.front();
        const int count = std::min(most, static_cast<int>(lines.size()));
        AppendChunk(kind,
                    count == lines.size() ? lines.join('\n') : lines.mid(0, count).join('\n'));
        lines.remove(0, count);
        if (lines.isEmpty())
            m_pending.pop_front();
        m_pendingCount -= count;
        most -= count;
    }
    if (followEnd)
        scroll->setValue(scroll->maximum());
}

// What the log would push out as soon as it was shown is never shown; a line
// says how much went.
// One line of the log is kept for saying so.
void CCompileLogWindow::LeaveOutOldestPending() {
    const int kept = m_maximumLines - 1;
    while (m_pendingCount > kept && !m_pending.empty()) {
        QStringList& lines = m_pending.front().second;
        const int count = std::min(m_pendingCount - kept, static_cast<int>(lines.size()));
        lines.remove(0, count);
        if (lines.isEmpty())
            m_pending.pop_front();
        m_pendingCount -= count;
        m_leftOut += count;
    }
}

QString CCompileLogWindow::GetLogText() {
    FlushPendingLines();
    return m_log->toPlainText();
}

void CCompileLogWindow::ShowRunningTime() {
    m_status->setText("Running: " + CCompileRunner::DescribeDuration(m_runTime.elapsed()));
}

// One insertion for many lines: the document lays them out once.
void CCompileLogWindow::AppendChunk(CCompileRunner::LineKind kind, const QString& text) {
    QTextCursor cursor(m_log->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_log->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text, FormatOf(kind));
}
