#include "dialogs/CEntityChoiceDlg.h"

#include "dialogs/DialogText.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CEntityChoiceDlg::CEntityChoiceDlg(const std::vector<std::string>& entities, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CEntityChoiceDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CEntityChoiceDlg::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEntityChoiceDlg::accept);

    m_list->addItem(QStringLiteral("New brush entity..."));
    for (const std::string& entity : entities)
        m_list->addItem(ToDialogText(entity));
    m_list->setCurrentRow(0);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    m_list->setFocus();
}

int CEntityChoiceDlg::GetChoice() const {
    return std::max(m_list->currentRow(), 0) - 1;
}

void CEntityChoiceDlg::SetChoice(int choice) {
    m_list->setCurrentRow(choice + 1);
}
