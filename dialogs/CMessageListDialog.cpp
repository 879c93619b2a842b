#include "dialogs/CMessageListDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

bool CMessageListDialog::NeedsList(const QString& text) {
    const qsizetype lines = text.count(QLatin1Char('\n')) + (text.endsWith('\n') ? 0 : 1);
    return lines > kMaxBoxLines;
}

CMessageListDialog::CMessageListDialog(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent), m_list(new QPlainTextEdit(this)) {
    setWindowTitle(title);
    const qsizetype split = text.indexOf(QLatin1String("\n\n"));
    const QString heading = split < 0 ? QString() : text.left(split);
    const QString body = split < 0 ? text : text.mid(split + 2);

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(iconSize));
    auto* headingLabel = new QLabel(heading, this);
    headingLabel->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(headingLabel, 1);

    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setPlainText(body);
    m_list->setMinimumSize(560, 320);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}
