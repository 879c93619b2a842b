#include "docks/CEntityInspectorDock.h"

#include "docks/CEntityKeyDelegate.h"
#include "entity/EntityDefinitions.h"
#include "entity/FlagLabels.h"
#include "framework/CColourChooser.h"
#include "framework/CMessageService.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kStepName = "Entity Keys";

// Map texts are 8-bit; the cells show them byte for byte as Latin-1.
QString ToCellText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromCellText(const QString& text) {
    return text.toLatin1().toStdString();
}

CEntityKeyDelegate::EditorKind EditorKindOf(const GatheredKey& key) {
    if (key.key == "spawnflags")
        return CEntityKeyDelegate::kFlags;
    const std::string type = key.definition ? key.definition->type : std::string();
    if (type == "choices" && !key.definition->choices.empty())
        return CEntityKeyDelegate::kChoices;
    if (type == "integer" || type == "float")
        return CEntityKeyDelegate::kNumber;
    if (type == "color1" || type == "color255" || key.key == "_color")
        return CEntityKeyDelegate::kColour;
    return CEntityKeyDelegate::kText;
}

// A colour key holds three numbers, red, green and blue, and perhaps a
// fourth, the brightness. They run from 0 to 1 for a key declared so and
// for a value written so; else from 0 to 255.
bool TakesUnitColour(const GatheredKey& key, const std::vector<double>& numbers) {
    if (key.definition && !key.definition->type.empty())
        return key.definition->type == "color1";
    return std::all_of(numbers.begin(), numbers.end(), [](double n) { return n <= 1.0; });
}

std::vector<double> ReadNumbers(const std::string& text) {
    std::vector<double> numbers;
    for (const QString& word : ToCellText(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double number = word.toDouble(&ok);
        if (ok && std::isfinite(number))
            numbers.push_back(number);
    }
    return numbers;
}

PickedColour ColourOfValue(const std::vector<double>& numbers, bool unit) {
    if (numbers.size() < 3)
        return {255, 255, 255};
    // Clamped before the cast: a value may hold any number.
    auto channel = [&](double n) {
        return static_cast<uint8_t>(std::clamp(unit ? n * 255.0 + 0.5 : n, 0.0, 255.0));
    };
    return {channel(numbers[0]), channel(numbers[1]), channel(numbers[2])};
}

// The value of the colour, in the key's own scale, keeping its brightness.
std::string ValueOfColour(const PickedColour& colour, bool unit,
                          const std::vector<double>& numbers) {
    auto channel = [&](int n) {
        return unit ? QString::number(n / 255.0, 'g', 3) : QString::number(n);
    };
    QString text = channel(colour.red) + QLatin1Char(' ') + channel(colour.green) +
                   QLatin1Char(' ') + channel(colour.blue);
    if (numbers.size() > 3)
        text += QLatin1Char(' ') + QString::number(numbers[3], 'g', 10);
    return FromCellText(text);
}

QStringList ChoiceEntries(const KeyDefinition& key) {
    QStringList entries;
    for (const KeyChoice& choice : key.choices)
        entries << ToCellText(choice.value) + QStringLiteral(" : ") + ToCellText(choice.caption);
    return entries;
}

QString DescribeKey(const KeyDefinition& key) {
    QString text = ToCellText(key.caption.empty() ? key.name : key.caption);
    if (!key.defaultValue.empty())
        text += QStringLiteral("\nDefault: ") + ToCellText(key.defaultValue);
    if (!key.description.empty())
        text += QStringLiteral("\n") + ToCellText(key.description);
    return text;
}

QString DescribeCount(const std::vector<KeyedEntity>& entities) {
    if (entities.empty())
        return QStringLiteral("No entities selected");
    if (entities.front().IsWorld())
        return QStringLiteral("The world");
    return entities.size() == 1 ? QStringLiteral("1 entity")
                                : QStringLiteral("%1 entities").arg(entities.size());
}

} // namespace

CEntityInspectorDock::CEntityInspectorDock(QWidget* parent) : CMapDock(kTitle, parent) {
    setObjectName(QStringLiteral("EntityInspector"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_count = new QLabel(content);
    layout->addWidget(m_count);
    m_table = new QTableWidget(0, 2, content);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_delegate = new CEntityKeyDelegate(m_table);
    m_table->setItemDelegate(m_delegate);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(MakeAddRow());
    setWidget(content);
    connect(m_table, &QTableWidget::itemChanged, this, &CEntityInspectorDock::OnItemChanged);
    connect(m_table, &QTableWidget::currentCellChanged, this, &CEntityInspectorDock::EnableColour);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CEntityInspectorDock::Refresh);
    // Hidden, the dock hears nothing of the map and shows it afresh when it
    // comes back.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        Listen(visible);
        if (visible)
            m_refresh.start();
    });
    Refresh();
}

// A key and a value to add, with Add and Remove beside them.
QWidget* CEntityInspectorDock::MakeAddRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_newKey = new QLineEdit(row);
    m_newKey->setPlaceholderText(QStringLiteral("New key"));
    m_newValue = new QLineEdit(row);
    m_newValue->setPlaceholderText(QStringLiteral("Value"));
    auto* add = new QPushButton(QStringLiteral("&Add"), row);
    m_remove = new QPushButton(QStringLiteral("&Remove"), row);
    m_colour = new QPushButton(QStringLiteral("C&olour..."), row);
    for (QWidget* widget : {static_cast<QWidget*>(m_newKey), static_cast<QWidget*>(m_newValue),
                            static_cast<QWidget*>(add), static_cast<QWidget*>(m_remove),
                            static_cast<QWidget*>(m_colour)}) {
        layout->addWidget(widget);
        widget->installEventFilter(this);
    }
    add->setToolTip(QStringLiteral("Give the selected entities the key and value"));
    m_remove->setToolTip(QStringLiteral("Take the key of the chosen row from the entities"));
    connect(m_newKey, &QLineEdit::returnPressed, this, &CEntityInspectorDock::AddKey);
    connect(m_newValue, &QLineEdit::returnPressed, this, &CEntityInspectorDock::AddKey);
    connect(add, &QPushButton::clicked, this, &CEntityInspectorDock::AddKey);
    connect(m_remove, &QPushButton::clicked, this, &CEntityInspectorDock::RemoveKey);
    m_colour->setToolTip(QStringLiteral("Choose the colour of the chosen row's key"));
    connect(m_colour, &QPushButton::clicked, this, &CEntityInspectorDock::ChooseColour);
    return row;
}

void CEntityInspectorDock::ShowDocument() {
    Refresh();
}

void CEntityInspectorDock::OnMapChanged(const MapNotice& notice) {
    // The hover moves with every motion of the pointer; the shown entities
    // change only with the set or the mode.
    if (OnlyHoverMoved(notice))
        return;
    RefreshSoon();
}

void CEntityInspectorDock::RefreshSoon() {
    m_stale = true;
    if (isVisible())
        m_refresh.start();
}

void CEntityInspectorDock::Refresh() {
    Gather();
    ShowKeys();
}

void CEntityInspectorDock::Gather() {
    m_stale = false;
    m_entities.clear();
    m_keys.clear();
    if (!m_doc)
        return;
    const CEditorState& state = m_doc->GetEditorState();
    NoteSelectionShown();
    m_entities = ListKeyedEntities(*m_doc, state.GetSelectionSet(), state.GetEditMode());
    m_keys = GatherEntityKeys(*m_doc, m_entities);
}

void CEntityInspectorDock::ShowKeys() {
    m_showing = true;
    const int current = m_table->currentRow();
    m_table->setRowCount(static_cast<int>(m_keys.size()));
    for (size_t row = 0; row < m_keys.size(); ++row)
        ShowRow(static_cast<int>(row), m_keys[row]);
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, kValueColumn);
    m_count->setText(DescribeCount(m_entities));
    const bool any = !m_entities.empty();
    m_table->setEnabled(any);
    m_newKey->setEnabled(any);
    m_newValue->setEnabled(any);
    m_remove->setEnabled(any);
    EnableColour();
    m_showing = false;
}

void CEntityInspectorDock::EnableColour() {
    const int row = m_table->currentRow();
    const QTableWidgetItem* value = row >= 0 ? m_table->item(row, kValueColumn) : nullptr;
    m_colour->setEnabled(value && value->data(CEntityKeyDelegate::kKindRole).toInt() ==
                                      CEntityKeyDelegate::kColour);
}

void CEntityInspectorDock::ChooseColour() {
    const int row = m_table->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= m_keys.size())
        return;
    const GatheredKey key = m_keys[static_cast<size_t>(row)];
    const std::vector<double> numbers = ReadNumbers(key.differs ? std::string() : key.value);
    const bool unit = TakesUnitColour(key, numbers);
    if (std::optional<PickedColour> chosen =
            ColourChooserSlot::Get().ChooseColour(ColourOfValue(numbers, unit), key.key))
        Apply(KeyChange::Set(key.key, ValueOfColour(*chosen, unit, numbers)));
}

void CEntityInspectorDock::ShowRow(int row, const GatheredKey& key) {
    auto* keyItem = new QTableWidgetItem(ToCellText(key.key));
    auto* valueItem = new QTableWidgetItem(ToCellText(key.value));
    // A key no entity has has no name to change.
    if (!key.present)
        keyItem->setFlags(keyItem->flags() & ~Qt::ItemIsEditable);
    if (key.definition) {
        const QString tip = DescribeKey(*key.definition);
        keyItem->setToolTip(tip);
        valueItem->setToolTip(tip);
        valueItem->setData(CEntityKeyDelegate::kChoicesRole, ChoiceEntries(*key.definition));
    }
    valueItem->setData(CEntityKeyDelegate::kKindRole, EditorKindOf(key));
    valueItem->setData(CEntityKeyDelegate::kDiffersRole, key.differs);
    valueItem->setData(CEntityKeyDelegate::kAbsentRole, !key.present);
    if (key.key == "spawnflags") {
        const EntityClassDefinition* shared = m_doc ? FindSharedClass(*m_doc, m_entities) : nullptr;
        const std::string name = shared ? shared->name : std::string();
        const bool brush = !m_entities.empty() && m_entities.front().model;
        const SpawnflagCaptions captions = shared  ? MakeDefinedFlagLabels(shared).flags
                                           : brush ? MakeBrushFlagLabels(name).flags
                                                   : MakePointFlagLabels(name);
        QStringList labels;
        for (const std::string& caption : captions)
            labels << ToCellText(caption);
        valueItem->setData(CEntityKeyDelegate::kFlagLabelsRole, labels);
    }
    m_table->setItem(row, kKeyColumn, keyItem);
    m_table->setItem(row, kValueColumn, valueItem);
}

int CEntityInspectorDock::FindRow(const std::string& key) const {
    for (size_t row = 0; row < m_keys.size(); ++row) {
        if (m_keys[row].key == key)
            return static_cast<int>(row);
    }
    return -1;
}

void CEntityInspectorDock::OnItemChanged(QTableWidgetItem* item) {
    const int row = item->row();
    if (m_showing || row < 0 || static_cast<size_t>(row) >= m_keys.size())
        return;
    const std::string key = m_keys[static_cast<size_t>(row)].key;
    const std::string text = FromCellText(item->text());
    if (item->column() == kKeyColumn)
        Apply(KeyChange::Rename(key, text));
    else
        Apply(KeyChange::Set(key, text));
}

void CEntityInspectorDock::AddKey() {
    const std::string key = FromCellText(m_newKey->text());
    const std::string value = FromCellText(m_newValue->text());
    if (key.empty() && value.empty())
        return;
    Apply(KeyChange::Set(key, value));
}

void CEntityInspectorDock::RemoveKey() {
    const int row = m_table->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= m_keys.size() ||
        !m_keys[static_cast<size_t>(row)].present)
        return;
    Apply(KeyChange::Remove(m_keys[static_cast<size_t>(row)].key));
}

void CEntityInspectorDock::Apply(const KeyChange& change) {
    // The map changed since the keys were shown: the change goes to the
    // entities selected now.
    if (m_stale)
        Gather();
    if (!m_doc || m_entities.empty())
        return;
    std::optional<std::string> problem;
    {
        CMapTransaction transaction(*m_doc, kStepName);
        problem = ApplyKeyChange(transaction.Edits(), *m_doc, m_entities, change);
        if (!problem && transaction.HasChanges())
            transaction.Commit();
    }
    if (problem) {
        ShowMessageBox(kTitle, *problem, MessageIcon::kWarning);
    } else if (change.kind == KeyChange::Kind::kSet && m_newKey->text() == ToCellText(change.key)) {
        m_newKey->clear();
        m_newValue->clear();
    }
    // The table is filled anew once the editor that made the change is closed.
    RefreshSoon();
}

bool CEntityInspectorDock::eventFilter(QObject* watched, QEvent* event) {
    // In the table F2 edits the cell and Delete removes the row's key: the
    // editor's keys for them must not act on the map.
    if (event->type() == QEvent::ShortcutOverride && watched == m_table) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Delete) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        m_newKey->clear();
        m_newValue->clear();
        emit KeyboardReturned();
        return true;
    }
    if (watched == m_table && key == Qt::Key_Delete) {
        RemoveKey();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}
