#include "dialogs/CRecoveryDlg.h"

#include "dialogs/DialogLayout.h"
#include "framework/CMessageService.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { kMapColumn, kCopyColumn, kNoteColumn, kFileColumn };

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

QString DescribeTime(const std::filesystem::path& copy) {
    const QDateTime savedAt = QFileInfo(QFile::decodeName(copy.c_str())).lastModified();
    // Copies are minutes apart, sometimes less: the seconds tell them apart.
    return QLocale().toString(savedAt.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           savedAt.time().toString(QStringLiteral("HH:mm:ss"));
}

QString DescribeProblem(const MapFileProblem& problem) {
    const QString message = FromLocal(problem.message);
    if (problem.line <= 0)
        return QStringLiteral("broken: %1").arg(message);
    return QStringLiteral("broken at line %1: %2").arg(problem.line).arg(message);
}

QString DescribeCopy(const RecoverableMap& map, size_t copy) {
    QString text = DescribeTime(map.abandoned.copies[copy]);
    if (const std::optional<MapFileProblem>& problem = map.problems[copy])
        text += QStringLiteral(" - ") + DescribeProblem(*problem);
    return text;
}

// What the row says of the chosen copy: that it is broken, or that a newer
// one is, so that nobody wonders why an older copy is offered.
QString DescribeChoice(const RecoverableMap& map, size_t chosen) {
    if (const std::optional<MapFileProblem>& problem = map.problems.at(chosen))
        return DescribeProblem(*problem);
    const std::optional<MapFileProblem>& newest = map.problems.back();
    if (chosen + 1 < map.problems.size() && newest)
        return QStringLiteral("the newest copy is ") + DescribeProblem(*newest);
    return QString();
}

QTreeWidgetItem* MakeRow(const AbandonedAutosave& map) {
    auto* row = new QTreeWidgetItem({FromLocal(map.origin.title), QString(), QString(),
                                     map.origin.pathName.empty()
                                         ? QStringLiteral("(never saved)")
                                         : QFile::decodeName(map.origin.pathName.c_str())});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(kMapColumn, Qt::Checked);
    return row;
}

} // namespace

size_t GetDefaultCopy(const RecoverableMap& map) {
    for (size_t copy = map.problems.size(); copy-- > 0;) {
        if (!map.problems[copy])
            return copy;
    }
    return map.abandoned.copies.empty() ? 0 : map.abandoned.copies.size() - 1;
}

CRecoveryDlg::CRecoveryDlg(const std::vector<RecoverableMap>& maps, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)),
      m_open(new QPushButton(QStringLiteral("Open"), this)),
      m_discard(new QPushButton(QStringLiteral("Discard"), this)),
      m_later(new QPushButton(QStringLiteral("Later"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* intro = new QLabel(QStringLiteral("Tolve ended without saving these maps. Their "
                                            "autosaved copies can be opened now, each as a "
                                            "new map to save where you like. A map can be "
                                            "opened from an older copy too."),
                             this);
    intro->setWordWrap(true);

    m_list->setHeaderLabels({QStringLiteral("Map"), QStringLiteral("Autosaved copy"),
                             QStringLiteral("Note"), QStringLiteral("File")});
    m_list->setRootIsDecorated(false);
    for (const RecoverableMap& map : maps) {
        QTreeWidgetItem* row = MakeRow(map.abandoned);
        m_list->addTopLevelItem(row);
        QComboBox* chooser = MakeCopyChooser(map);
        m_list->setItemWidget(row, kCopyColumn, chooser);
        m_copyChoosers.push_back(chooser);
        auto describe = [this, row, map, index = m_copyChoosers.size() - 1] {
            const QString note = DescribeChoice(map, GetChosenCopy(index));
            row->setText(kNoteColumn, note);
            row->setToolTip(kNoteColumn, note);
        };
        describe();
        connect(chooser, &QComboBox::currentIndexChanged, this, describe);
    }
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
    std::vector<QWidget*> tabOrder{m_list};
    tabOrder.insert(tabOrder.end(), m_copyChoosers.begin(), m_copyChoosers.end());
    tabOrder.insert(tabOrder.end(), {m_open, m_discard, m_later});
    ChainTabOrder(tabOrder);
    resize(900, 300);
    m_list->setFocus();
}

QComboBox* CRecoveryDlg::MakeCopyChooser(const RecoverableMap& map) {
    auto* chooser = new QComboBox;
    // As wide as a time, not as a problem: the note beside it tells that.
    chooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chooser->setMinimumContentsLength(20);
    // Newest first: the copy most likely wanted is on top.
    for (size_t copy = map.abandoned.copies.size(); copy-- > 0;)
        chooser->addItem(DescribeCopy(map, copy),
                         QVariant::fromValue(static_cast<qulonglong>(copy)));
    chooser->setCurrentIndex(
        chooser->findData(QVariant::fromValue(static_cast<qulonglong>(GetDefaultCopy(map)))));
    chooser->setToolTip(QStringLiteral("The copy to open"));
    return chooser;
}

size_t CRecoveryDlg::GetChosenCopy(size_t map) const {
    return static_cast<size_t>(m_copyChoosers.at(map)->currentData().toULongLong());
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
                            "brought back.") != MessageAnswer::kYes)
        return;
    m_choice = Choice::kDiscard;
    reject();
}
