// The compile log under a flood: lines shown a slice at a time, the oldest of
// more than the log keeps left out before they are shown, and said so.
#include "dialogs/CCompileLogWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using LineKind = CCompileRunner::LineKind;

QStringList Numbered(int first, int count) {
    QStringList lines;
    for (int n = first; n < first + count; ++n)
        lines.append(QString::number(n));
    return lines;
}

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

TEST(CompileLogWindow, ShowsAFloodASliceAtATimeInOrder) {
    CCompileLogWindow window;
    window.BeginRun("room");
    EXPECT_EQ(window.windowTitle(), "Compile - room");
    EXPECT_TRUE(window.GetCancelButton()->isEnabled());
    const int total = CCompileLogWindow::kLinesPerSlice * 2 + 10;
    window.AppendLines(LineKind::kCommand, {"Step 1 of 1: qbsp"});
    window.AppendLines(LineKind::kOutput, Numbered(0, total - 1));
    EXPECT_EQ(window.GetLog()->document()->blockCount(), 1) << "nothing is shown at once";
    std::vector<int> blockCounts;
    QObject::connect(window.GetLog()->document(), &QTextDocument::blockCountChanged,
                     [&](int count) { blockCounts.push_back(count); });
    ASSERT_TRUE(WaitUntil([&] { return window.GetPendingLineCount() == 0; }));
    // Never more than a slice at once: two full slices, then the rest.
    ASSERT_FALSE(blockCounts.empty());
    EXPECT_EQ(blockCounts.back(), total);
    int previous = 1;
    for (int count : blockCounts) {
        EXPECT_LE(count - previous, CCompileLogWindow::kLinesPerSlice);
        previous = count;
    }
    const QStringList shown = window.GetLogText().split('\n');
    ASSERT_EQ(shown.size(), total);
    EXPECT_EQ(shown[0], "Step 1 of 1: qbsp");
    EXPECT_EQ(shown.mid(1), Numbered(0, total - 1));

    window.EndRun(3, false, 2500);
    EXPECT_EQ(window.GetStatusLabel()->text(), "Failed (exit status 3) after 2.5 s");
    EXPECT_FALSE(window.GetCancelButton()->isEnabled());
}

TEST(CompileLogWindow, LeavesOutWhatItCouldNotKeepAndSaysSo) {
    CCompileLogWindow window;
    window.SetMaximumLines(100);
    window.BeginRun("room");
    window.AppendLines(LineKind::kOutput, Numbered(0, 60));
    window.FlushPendingLines();
    for (int first = 60; first < 310; first += 50)
        window.AppendLines(LineKind::kOutput, Numbered(first, 50));
    EXPECT_EQ(window.GetPendingLineCount(), 99);
    const QStringList shown = window.GetLogText().split('\n');
    ASSERT_EQ(shown.size(), 100);
    EXPECT_EQ(shown[0], "(151 lines came too fast to keep and were left out)");
    EXPECT_EQ(shown.mid(1), Numbered(211, 99));

    // A new run starts empty.
    window.BeginRun("room");
    EXPECT_EQ(window.GetLogText(), "");
    window.AppendLines(LineKind::kOutput, {"again"});
    EXPECT_EQ(window.GetLogText(), "again");
}

// Output of long lines, however slowly it comes, keeps to the amount of text
// the log keeps; so does a flood, before it is shown.
TEST(CompileLogWindow, KeepsToItsAmountOfTextAndSaysWhatWent) {
    CCompileLogWindow window;
    window.SetMaximumCharacters(1000);
    window.BeginRun("room");
    auto longLine = [](int n) { return QString::number(n).leftJustified(99, '.'); };
    for (int n = 0; n < 30; ++n) {
        window.AppendLines(LineKind::kOutput, {longLine(n)});
        window.FlushPendingLines();
    }
    QStringList shown = window.GetLogText().split('\n');
    ASSERT_EQ(shown.size(), 11);
    EXPECT_EQ(shown[0].toStdString(),
              "(20 earlier lines, 2.0 kB, were more than the log keeps and were left out)");
    EXPECT_EQ(shown[1], longLine(20));
    EXPECT_EQ(shown.back(), longLine(29));

    window.BeginRun("room");
    QStringList flood;
    for (int n = 0; n < 30; ++n)
        flood.append(longLine(n));
    window.AppendLines(LineKind::kOutput, flood);
    shown = window.GetLogText().split('\n');
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown[0].toStdString(), "(21 lines came too fast to keep and were left out)");
    EXPECT_EQ(shown[1], longLine(21));
}

} // namespace
