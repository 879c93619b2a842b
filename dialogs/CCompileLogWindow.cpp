#include "dialogs/CCompileLogWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFlushMilliseconds = 50;
constexpr int kClockMilliseconds = 100;
// The state of the first block once it says how much text went.
constexpr int kLeftOutNote = 1;
// Of the text the log keeps, what a line saying what went takes at most.
constexpr qsizetype kRoomForNote = 100;

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

void CCompileLogWindow::SetMaximumCharacters(qsizetype characters) {
    m_maximumCharacters = std::max(characters, 4 * kRoomForNote);
}

void CCompileLogWindow::BeginRun(const QString& mapTitle) {
    setWindowTitle("Compile - " + mapTitle);
    m_pending.clear();
    m_pendingCount = 0;
    m_pendingCharacters = 0;
    m_leftOut = 0;
    m_leftOutShown = 0;
    m_leftOutShownCharacters = 0;
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
    for (const QString& line : lines)
        m_pendingCharacters += line.size() + 1;
    if (m_pendingCount >= m_maximumLines ||
        m_pendingCharacters > m_maximumCharacters - kRoomForNote)
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
    ShowPendingLines(m_pendingCount, m_pendingCharacters);
}

// A slice, and the next one as soon as the editor has had its turn.
void CCompileLogWindow::ShowNextSlice() {
    ShowPendingLines(kLinesPerSlice, kCharactersPerSlice);
    if (m_pendingCount > 0)
        m_flushTimer.start(0);
}

// No more than `most` lines and `mostCharacters` characters of them, but at
// least one line, however long.
void CCompileLogWindow::ShowPendingLines(int most, qsizetype mostCharacters) {
    if (m_pending.empty())
        return;
    QScrollBar* scroll = m_log->verticalScrollBar();
    const bool followEnd = scroll->value() == scroll->maximum();
    if (m_leftOut > 0) {
        AppendChunk(CCompileRunner::LineKind::kProblem,
                    QString("(%1 lines came too fast to keep and were left out)").arg(m_leftOut));
        m_leftOut = 0;
    }
    bool shownAny = false;
    while (most > 0 && !m_pending.empty()) {
        auto& [kind, lines] = m_pending.front();
        int count = 0;
        qsizetype characters = 0;
        for (; count < std::min(most, static_cast<int>(lines.size())); ++count) {
            const qsizetype size = lines[count].size() + 1;
            if (shownAny && characters + size > mostCharacters)
                break;
            characters += size;
            shownAny = true;
        }
        if (count == 0)
            break;
        AppendChunk(kind,
                    count == lines.size() ? lines.join('\n') : lines.mid(0, count).join('\n'));
        lines.remove(0, count);
        if (lines.isEmpty())
            m_pending.pop_front();
        m_pendingCount -= count;
        m_pendingCharacters -= characters;
        most -= count;
        mostCharacters -= characters;
    }
    LeaveOutOldestShown();
    if (followEnd)
        scroll->setValue(scroll->maximum());
}

// What the log would push out as soon as it was shown is never shown; a line
// says how much went.
// One line of the log, and room for it, is kept for saying so.
void CCompileLogWindow::LeaveOutOldestPending() {
    const int kept = m_maximumLines - 1;
    const qsizetype keptCharacters = m_maximumCharacters - kRoomForNote;
    while ((m_pendingCount > kept || m_pendingCharacters > keptCharacters) && !m_pending.empty()) {
        QStringList& lines = m_pending.front().second;
        int count = 0;
        qsizetype characters = 0;
        while (count < lines.size() &&
               (m_pendingCount - count > kept || m_pendingCharacters - characters > keptCharacters))
            characters += lines[count++].size() + 1;
        lines.remove(0, count);
        if (lines.isEmpty())
            m_pending.pop_front();
        m_pendingCount -= count;
        m_pendingCharacters -= characters;
        m_leftOut += count;
    }
}

// The oldest lines shown beyond the amount of text the log keeps go, the
// newest always stays; the first line, kept apart, says how much went.
void CCompileLogWindow::LeaveOutOldestShown() {
    QTextDocument* document = m_log->document();
    const QTextBlock first = document->firstBlock();
    const bool noted = first.userState() == kLeftOutNote;
    qsizetype excess =
        document->characterCount() - (noted ? first.length() : 0) - m_maximumCharacters;
    QTextBlock kept = noted ? first.next() : first;
    const int removedFrom = kept.position();
    for (; excess > 0 && kept.next().isValid(); kept = kept.next()) {
        excess -= kept.length();
        m_leftOutShownCharacters += kept.length();
        ++m_leftOutShown;
    }
    if (kept.position() == removedFrom)
        return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(removedFrom);
    cursor.setPosition(kept.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setPosition(0);
    if (noted) {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    } else {
        cursor.insertBlock();
        cursor.setPosition(0);
    }
    cursor.insertText(
        QString("(%1 earlier lines, %2, were more than the log keeps and were left out)")
            .arg(m_leftOutShown)
            .arg(QLocale::c().formattedDataSize(m_leftOutShownCharacters, 1,
                                                QLocale::DataSizeTraditionalFormat)),
        FormatOf(CCompileRunner::LineKind::kProblem));
    cursor.endEditBlock();
    document->firstBlock().setUserState(kLeftOutNote);
    document->firstBlock().next().setUserState(-1);
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
