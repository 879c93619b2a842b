#include "dialogs/CMissingTexturesDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CMissingTexturesDlg::CMissingTexturesDlg(const std::vector<TextureUse>& missing, QWidget* parent)
    : QDialog(parent), m_missing(missing), m_list(new QListWidget(this)),
      m_select(new QPushButton(QStringLiteral("&Select Faces"), this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    for (const TextureUse& use : m_missing) {
        const QString faces =
            use.faces == 1 ? QStringLiteral("1 face") : QStringLiteral("%1 faces").arg(use.faces);
        m_list->addItem(ToDialogText(use.name) + QStringLiteral("  (") + faces +
                        QStringLiteral(")"));
    }
    m_list->setCurrentRow(0);
    m_select->setDefault(true);
    connect(m_select, &QPushButton::clicked, this, &CMissingTexturesDlg::accept);
    connect(m_close, &QPushButton::clicked, this, &CMissingTexturesDlg::reject);
    connect(m_list, &QListWidget::itemActivated, this, &CMissingTexturesDlg::accept);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_select);
    buttons->addWidget(m_close);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    ChainTabOrder({m_list, m_select, m_close});
    m_list->setFocus();
}

std::string CMissingTexturesDlg::GetChosenTexture() const {
    const int row = m_list->currentRow();
    return row >= 0 && static_cast<size_t>(row) < m_missing.size()
               ? m_missing[static_cast<size_t>(row)].name
               : std::string();
}
