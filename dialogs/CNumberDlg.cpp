#include "dialogs/CNumberDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CMessageService.h"
#include "framework/FieldMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNumberDlg::CNumberDlg(const char* title, const QString& label, Check check, QWidget* parent)
    : QDialog(parent), m_title(title), m_check(std::move(check)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(title));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CNumberDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CNumberDlg::reject);

    auto* grid = new QGridLayout;
    m_box = AddLabeledEdit(*grid, 0, label, this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    ChainTabOrder({m_box, m_ok, m_cancel});
    m_box->setFocus();
}

void CNumberDlg::SetText(const std::string& text) {
    m_box->setText(ToDialogText(text));
    m_box->selectAll();
}

std::string CNumberDlg::GetText() const {
    return FromDialogText(m_box->text());
}

void CNumberDlg::accept() {
    if (std::optional<std::string> problem = m_check(GetText())) {
        ShowMessageBox(kFieldMessageTitle, *problem, MessageIcon::kWarning);
        m_box->setFocus();
        m_box->selectAll();
        return;
    }
    QDialog::accept();
}
