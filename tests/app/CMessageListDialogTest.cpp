#include "dialogs/CMessageListDialog.h"
#include "app/CQtMessageService.h"
#include "map/MapDiagnostics.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

std::string ManyProblems(int count) {
    CMapErrorList problems;
    for (int line = 0; line < count; ++line)
        problems.Report(line, -1, "Error: { not found\n");
    return problems.Text();
}

// Runs `inspect` on the modal window the service opens, then answers it with
// the Return key; a watchdog closes whatever is left so nothing waits.
template <typename Inspect> void AnswerModalWithReturn(Inspect inspect) {
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        inspect(modal);
        if (modal)
            QTest::keyClick(modal, Qt::Key_Return);
    });
    QTimer::singleShot(5000, [] {
        if (QWidget* left = QApplication::activeModalWidget())
            left->close();
    });
}

} // namespace

TEST(CMessageListDialog, ThousandsOfReadProblemsScrollInOneWindowClosedByReturn) {
    CQtMessageService service;
    QString listed;
    QString title;
    AnswerModalWithReturn([&](QWidget* modal) {
        auto* dialog = qobject_cast<CMessageListDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        listed = dialog->GetList()->toPlainText();
    });
    EXPECT_EQ(service.ShowMessage("Map Read Error", ManyProblems(1500), MessageIcon::kError,
                                  MessageButtons::kOk),
              MessageAnswer::kOk);
    EXPECT_EQ(title, "Map Read Error");
    EXPECT_TRUE(listed.startsWith("1 : Error: { not found\n2 : "));
    EXPECT_TRUE(listed.endsWith("1000 : Error: { not found\n... and 500 more\n"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(CMessageListDialog, AFewProblemsStayAnOrdinaryBox) {
    CQtMessageService service;
    QString text;
    AnswerModalWithReturn([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
    });
    service.ShowMessage("Map Read Error", ManyProblems(3), MessageIcon::kError,
                        MessageButtons::kOk);
    EXPECT_TRUE(text.startsWith("3 problems were found while reading the map:\n\n1 : "));
    EXPECT_FALSE(CMessageListDialog::NeedsList(QString("line\n").repeated(20)));
    EXPECT_TRUE(CMessageListDialog::NeedsList(QString("line\n").repeated(21)));
}
