#include "dialogs/CSnapDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CMessageService.h"
#include "framework/FieldMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSnapDlg::CSnapDlg(QWidget* parent)
    : QDialog(parent), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CSnapDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSnapDlg::reject);

    auto* grid = new QGridLayout;
    m_snap = AddLabeledEdit(*grid, 0, QStringLiteral("Snap:"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    ChainTabOrder({m_snap, m_ok, m_cancel});
}

void CSnapDlg::SetFields(const SnapFields& fields) {
    m_snap->setText(ToDialogText(fields.snap));
}

SnapFields CSnapDlg::GetFields() const {
    return {FromDialogText(m_snap->text())};
}

void CSnapDlg::accept() {
    if (std::optional<std::string> problem = FindSnapProblem(GetFields())) {
        ShowMessageBox(kFieldMessageTitle, *problem, MessageIcon::kWarning);
        m_snap->setFocus();
        m_snap->selectAll();
        return;
    }
    QDialog::accept();
}
