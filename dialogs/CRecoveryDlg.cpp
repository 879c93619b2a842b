#include "dialogs/CRecoveryDlg.h"

#include "dialogs/DialogLayout.h"
#include "framework/CMessageService.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

QTreeWidgetItem* MakeRow(const AbandonedAutosave& map) {
    const QDateTime savedAt =
        QFileInfo(QFile::decodeName(map.copies.back().c_str())).lastModified();
    auto* row = new QTreeWidgetItem(
        {FromLocal(map.origin.title), QLocale().toString(savedAt, QLocale::ShortFormat),
         map.origin.pathName.empty() ? QStringLiteral("(never saved)")
                                     : QFile::decodeName(map.origin.pathName.c_str())});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
    return row;
}

} // namespace

CRecoveryDlg::CRecoveryDlg(const std::vector<AbandonedAutosave>& maps, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)),
      m_open(new QPushButton(QStringLiteral("Open"), this)),
      m_discard(new QPushButton(QStringLiteral("Discard"), this)),
      m_later(new QPushButton(QStringLiteral("Later"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* intro = new QLabel(QStringLiteral("Tolve ended without closing these maps. Their "
                                            "autosaved copies can be opened now, each as a "
                                            "new map to save where you like."),
                             this);
    intro->setWordWrap(true);

    m_list->setHeaderLabels(
        {QStringLiteral("Map"), QStringLiteral("Autosaved"), QStringLiteral("File")});
    m_list->setRootIsDecorated(false);
    for (const AbandonedAutosave& map : maps)
        m_list->addTopLevelItem(MakeRow(map));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    connect(m_list, &QTreeWidget::itemChanged, this, &CRecoveryDlg::FollowChecks);

    m_open->setDefault(true);
    connect(m_open, &QPushButton::clicked, this, &CRecoveryDlg::accept);
    connect(m_discard, &QPushButton::clicked, this, &CRecoveryDlg::OnDiscard);
    connect(m_later, &QPushButton::clicked, this, &CRecoveryDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_open);
    buttons->addWidget(m_discard);
    buttons->addWidget(m_later);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    ChainTabOrder({m_list, m_open, m_discard, m_later});
    resize(640, 300);
    m_list->setFocus();
}

std::vector<size_t> CRecoveryDlg::GetCheckedMaps() const {
    std::vector<size_t> checked;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            checked.push_back(static_cast<size_t>(i));
    }
    return checked;
}

void CRecoveryDlg::FollowChecks() {
    const bool any = !GetCheckedMaps().empty();
    m_open->setEnabled(any);
    m_discard->setEnabled(any);
}

void CRecoveryDlg::OnDiscard() {
    if (AskQuestion(kTitle, "Discard the autosaved copies of the checked maps? They cannot be "
                            "brought back.") != MessageAnswer::Yes)
        return;
    m_choice = Choice::kDiscard;
    reject();
}
