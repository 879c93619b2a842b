#include "app/CQtMessageService.h"

#include "dialogs/CMessageListDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::kError:
        return QMessageBox::Critical;
    case MessageIcon::kWarning:
        return QMessageBox::Warning;
    case MessageIcon::kInformation:
        return QMessageBox::Information;
    case MessageIcon::kQuestion:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer ToAnswer(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::kYes;
    case QMessageBox::No:
        return MessageAnswer::kNo;
    case QMessageBox::Cancel:
        return MessageAnswer::kCancel;
    default:
        return MessageAnswer::kOk;
    }
}

QMessageBox::StandardButton ToButton(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::kNo:
        return QMessageBox::No;
    case MessageAnswer::kCancel:
        return QMessageBox::Cancel;
    default:
        return QMessageBox::Yes;
    }
}

// A box without an owner window leaves the focus to the desktop, which may
// give it to no window of the editor; the user's window and field get it back.
int ExecGivingFocusBack(QDialog& box) {
    const QPointer<QWidget> window = QApplication::activeWindow();
    const QPointer<QWidget> field = QApplication::focusWidget();
    const int result = box.exec();
    // Still the closed box itself, until the desktop says otherwise.
    const QWidget* active = QApplication::activeWindow();
    if (window && window->isVisible() && (!active || !active->isVisible())) {
        window->activateWindow();
        if (field)
            field->setFocus();
    }
    return result;
}

} // namespace

MessageAnswer CQtMessageService::ShowMessage(const std::string& title, const std::string& text,
                                             MessageIcon icon, MessageButtons buttons) {
    const bool question = buttons == MessageButtons::kYesNoCancel;
    if (!question && CMessageListDialog::NeedsList(QString::fromLocal8Bit(text))) {
        CMessageListDialog list(QString::fromLocal8Bit(title), QString::fromLocal8Bit(text));
        ExecGivingFocusBack(list);
        return MessageAnswer::kOk;
    }
    QMessageBox box(ToQtIcon(icon), QString::fromLocal8Bit(title), QString::fromLocal8Bit(text),
                    question ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::Ok);
    if (question) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    int answer = ExecGivingFocusBack(box);
    // Closing a question box any other way than with a button is a cancel.
    if (question && answer != QMessageBox::Yes && answer != QMessageBox::No)
        return MessageAnswer::kCancel;
    return ToAnswer(answer);
}

MessageAnswer CQtMessageService::AskWithCaptions(const std::string& title, const std::string& text,
                                                 const QuestionCaptions& captions) {
    const bool hasCancel = !captions.cancel.empty();
    QMessageBox box(QMessageBox::Question, QString::fromLocal8Bit(title),
                    QString::fromLocal8Bit(text),
                    QMessageBox::Yes | QMessageBox::No |
                        (hasCancel ? QMessageBox::Cancel : QMessageBox::NoButton));
    box.button(QMessageBox::Yes)->setText(QString::fromLocal8Bit(captions.yes));
    box.button(QMessageBox::No)->setText(QString::fromLocal8Bit(captions.no));
    if (hasCancel)
        box.button(QMessageBox::Cancel)->setText(QString::fromLocal8Bit(captions.cancel));
    box.setDefaultButton(ToButton(captions.preferred));
    box.setEscapeButton(hasCancel ? QMessageBox::Cancel : QMessageBox::No);
    const int answer = ExecGivingFocusBack(box);
    if (answer == QMessageBox::Yes || answer == QMessageBox::No)
        return ToAnswer(answer);
    return hasCancel ? MessageAnswer::kCancel : MessageAnswer::kNo;
}
