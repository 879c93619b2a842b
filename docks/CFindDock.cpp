#include "docks/CFindDock.h"

#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/CTolveDoc.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// In the order of FindBy and ValueTest.
const char* const kFindByNames[] = {"Class name", "Key and value", "Texture"};
const char* const kTestNames[] = {"is", "contains", "= (number)", "< (number)", "> (number)"};

std::string TextOf(const QLineEdit& box) {
    return box.text().trimmed().toStdString();
}

} // namespace

CFindDock::CFindDock(QWidget* parent) : CMapDock(kTitle, parent) {
    // Nothing is asked yet, so nothing can go out of date.
    m_stale = false;
    setObjectName(QStringLiteral("FindDock"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    auto* form = new QFormLayout;
    m_by = new QComboBox(content);
    for (const char* name : kFindByNames)
        m_by->addItem(QString::fromLatin1(name));
    m_key = new QLineEdit(content);
    m_test = new QComboBox(content);
    for (const char* name : kTestNames)
        m_test->addItem(QString::fromLatin1(name));
    m_text = new QLineEdit(content);
    form->addRow(QStringLiteral("Find:"), m_by);
    form->addRow(QStringLiteral("Key:"), m_key);
    form->addRow(QStringLiteral("Value:"), m_test);
    form->addRow(QString(), m_text);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* find = new QPushButton(QStringLiteral("&Find"), content);
    auto* targets = new QPushButton(QStringLiteral("&Targets"), content);
    auto* targeters = new QPushButton(QStringLiteral("Targeted &By"), content);
    targets->setToolTip(QStringLiteral("The entities the selected entity targets"));
    targeters->setToolTip(QStringLiteral("The entities that target the selected entity"));
    buttons->addWidget(find);
    buttons->addWidget(targets);
    buttons->addWidget(targeters);
    layout->addLayout(buttons);

    m_results = new QListWidget(content);
    layout->addWidget(m_results, 1);
    auto* footer = new QHBoxLayout;
    m_count = new QLabel(content);
    m_selectAll = new QPushButton(QStringLiteral("Select &All"), content);
    footer->addWidget(m_count, 1);
    footer->addWidget(m_selectAll);
    layout->addLayout(footer);
    setWidget(content);

    for (QWidget* field : std::initializer_list<QWidget*>{m_by, m_key, m_test, m_text, m_results})
        field->installEventFilter(this);
    connect(m_by, &QComboBox::currentIndexChanged, this, [this] { ShowQueryFields(); });
    connect(find, &QPushButton::clicked, this, &CFindDock::OnFind);
    connect(m_text, &QLineEdit::returnPressed, this, &CFindDock::OnFind);
    connect(m_key, &QLineEdit::returnPressed, this, &CFindDock::OnFind);
    connect(targets, &QPushButton::clicked, this, [this] { OnTargets(true); });
    connect(targeters, &QPushButton::clicked, this, [this] { OnTargets(false); });
    connect(m_results, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<size_t>(row) < m_found.size())
            Select({m_found[static_cast<size_t>(row)]});
    });
    connect(m_selectAll, &QPushButton::clicked, this, [this] { Select(m_found); });

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CFindDock::FindAgain);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        Listen(visible);
        if (visible && m_stale)
            m_refresh.start();
    });
    ShowQueryFields();
    ShowFound({}, QString());
}

void CFindDock::ShowDocument() {
    m_asked = Asked::kNothing;
    ShowFound({}, QString());
}

void CFindDock::FocusText() {
    show();
    raise();
    QLineEdit* box =
        m_by->currentIndex() == static_cast<int>(FindBy::kKeyValue) && m_key->text().isEmpty()
            ? m_key
            : m_text;
    box->setFocus();
    box->selectAll();
}

// What is listed holds addresses of objects: any change of the map but the
// hover or the selection finds them again before they are used.
void CFindDock::OnMapChanged(const MapNotice& notice) {
    if (!notice.selectionOnly)
        FindAgainSoon();
}

void CFindDock::FindAgainSoon() {
    if (m_asked == Asked::kNothing)
        return;
    m_stale = true;
    m_found.clear(); // no click may reach an object that went before then
    m_refresh.start();
}

void CFindDock::ShowQueryFields() {
    const auto by = static_cast<FindBy>(m_by->currentIndex());
    m_key->setEnabled(by == FindBy::kKeyValue);
    m_test->setEnabled(by == FindBy::kKeyValue);
}

FindQuery CFindDock::MakeQuery() const {
    FindQuery query;
    query.by = static_cast<FindBy>(m_by->currentIndex());
    query.key = TextOf(*m_key);
    query.text = TextOf(*m_text);
    query.test = query.by == FindBy::kKeyValue ? static_cast<ValueTest>(m_test->currentIndex())
                                               : ValueTest::kIs;
    return query;
}

void CFindDock::OnFind() {
    if (!m_doc)
        return;
    const FindQuery query = MakeQuery();
    if (std::optional<std::string> problem = FindQueryProblem(query)) {
        ShowMessageBox(kTitle, *problem, MessageIcon::kInformation);
        return;
    }
    m_query = query;
    m_asked = Asked::kQuery;
    FindAgain();
}

void CFindDock::OnTargets(bool targets) {
    if (!m_doc)
        return;
    const std::optional<FoundObject> entity =
        EntityOfSet(*m_doc, m_doc->GetEditorState().GetSelectionSet());
    if (!entity) {
        ShowMessageBox(kTitle, "Select one entity first: its targets are found from its keys.",
                       MessageIcon::kInformation);
        return;
    }
    m_entity = *entity;
    m_asked = targets ? Asked::kTargets : Asked::kTargeters;
    FindAgain();
}

void CFindDock::FindAgain() {
    m_stale = false;
    if (!m_doc || m_asked == Asked::kNothing) {
        ShowFound({}, QString());
        return;
    }
    if (m_asked == Asked::kQuery) {
        ShowFound(FindObjects(*m_doc, m_query), QString());
        return;
    }
    const std::optional<FoundObject> entity = FindEntityAgain(*m_doc, m_entity);
    if (!entity) {
        m_asked = Asked::kNothing;
        ShowFound({}, QString());
        return;
    }
    m_entity = *entity;
    const QString what = QString::fromStdString(DescribeFound(m_entity));
    if (m_asked == Asked::kTargets)
        ShowFound(FindTargetsOf(*m_doc, m_entity), QStringLiteral(" targeted by %1").arg(what));
    else
        ShowFound(FindTargetersOf(*m_doc, m_entity), QStringLiteral(" targeting %1").arg(what));
}

void CFindDock::ShowFound(std::vector<FoundObject> found, const QString& what) {
    const QSignalBlocker quiet(m_results); // listing selects nothing
    m_found = std::move(found);
    m_results->clear();
    for (const FoundObject& object : m_found)
        m_results->addItem(QString::fromStdString(DescribeFound(object)));
    m_count->setText(m_asked == Asked::kNothing ? QString()
                     : m_found.size() == 1
                         ? QStringLiteral("1 found%1").arg(what)
                         : QStringLiteral("%1 found%2").arg(m_found.size()).arg(what));
    m_selectAll->setEnabled(!m_found.empty());
}

// A point entity is chosen in entity mode, brushes in brush mode: the map
// goes to the mode of what is chosen, and what the mode cannot hold is told.
void CFindDock::Select(const std::vector<FoundObject>& objects) {
    if (!m_doc || objects.empty())
        return;
    CEditorState& state = m_doc->GetEditorState();
    const EditMode mode = ModeForFound(objects);
    if (state.GetEditMode() != mode)
        state.SetEditMode(mode);
    const CSelectionSet set = SelectionOfFound(objects, mode);
    const size_t chosen = mode == kEntityMode
                              ? set.GetPointEntities().size()
                              : static_cast<size_t>(std::count_if(
                                    objects.begin(), objects.end(),
                                    [](const FoundObject& o) { return !o.pointEntity; }));
    state.SetSelectionSet(set);
    std::string notice = objects.size() == 1 ? DescribeFound(objects.front()) + " selected"
                                             : std::to_string(chosen) + " selected";
    if (chosen < objects.size())
        notice += "; " + std::to_string(objects.size() - chosen) +
                  " brush entities are chosen in brush mode";
    ShowStatusNotice(notice);
    emit SelectionChosen();
}

bool CFindDock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit KeyboardReturned();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}
