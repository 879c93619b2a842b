#include "dialogs/COtherKeysTable.h"

#include "dialogs/CClassKeyDelegate.h"
#include "dialogs/DialogText.h"
#include "entity/EntityDefinitions.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

COtherKeysTable::COtherKeysTable(QWidget* parent)
    : QGroupBox(QStringLiteral("Other keys"), parent), m_table(new QTableWidget(0, 2, this)),
      m_add(new QPushButton(QStringLiteral("Add"), this)),
      m_remove(new QPushButton(QStringLiteral("Remove"), this)),
      m_delegate(new CClassKeyDelegate(this)) {
    m_table->setItemDelegate(m_delegate);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            OnKeyEdited(item->row());
    });
    m_table->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setMaximumHeight(m_table->verticalHeader()->defaultSectionSize() * 5);
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    connect(m_add, &QPushButton::clicked, this, &COtherKeysTable::AddRow);
    connect(m_remove, &QPushButton::clicked, this, &COtherKeysTable::RemoveCurrentRow);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

void COtherKeysTable::SetPairs(const std::vector<FieldPair>& pairs) {
    const QSignalBlocker quiet(m_table); // the pairs as they are, no default added
    m_table->setRowCount(static_cast<int>(pairs.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const FieldPair& pair = pairs[static_cast<size_t>(row)];
        m_table->setItem(row, 0, new QTableWidgetItem(ToDialogText(pair.key)));
        m_table->setItem(row, 1, new QTableWidgetItem(ToDialogText(pair.value)));
        DescribeRow(row);
    }
}

std::vector<FieldPair> COtherKeysTable::GetPairs() const {
    std::vector<FieldPair> pairs;
    auto cellText = [this](int row, int column) {
        const QTableWidgetItem* item = m_table->item(row, column);
        return item ? FromDialogText(item->text()) : std::string();
    };
    for (int row = 0; row < m_table->rowCount(); ++row)
        pairs.push_back({cellText(row, 0), cellText(row, 1)});
    return pairs;
}

void COtherKeysTable::FocusRow(size_t row) {
    m_table->setCurrentCell(static_cast<int>(row), 0);
    m_table->setFocus();
}

void COtherKeysTable::AddRow() {
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem);
    m_table->setItem(row, 1, new QTableWidgetItem);
    m_table->setCurrentCell(row, 0);
    m_table->editItem(m_table->item(row, 0));
}

void COtherKeysTable::RemoveCurrentRow() {
    if (m_table->currentRow() >= 0)
        m_table->removeRow(m_table->currentRow());
}

void COtherKeysTable::SetClass(const EntityClassDefinition* definition,
                               const std::vector<std::string>& keysWithBoxes) {
    m_delegate->SetClass(definition, keysWithBoxes);
    for (int row = 0; row < m_table->rowCount(); ++row)
        DescribeRow(row);
}

void COtherKeysTable::DescribeRow(int row) {
    QTableWidgetItem* keyItem = m_table->item(row, 0);
    QTableWidgetItem* valueItem = m_table->item(row, 1);
    if (!keyItem || !valueItem)
        return;
    const KeyDefinition* key = m_delegate->FindKey(FromDialogText(keyItem->text()));
    const QString tip = key ? DescribeKey(*key) : QString();
    const QSignalBlocker quiet(m_table); // a tip is no edit of the row
    keyItem->setToolTip(tip);
    valueItem->setToolTip(tip);
}

// A key of the class typed or picked into a row brings its default along.
void COtherKeysTable::OnKeyEdited(int row) {
    DescribeRow(row);
    QTableWidgetItem* valueItem = m_table->item(row, 1);
    const QTableWidgetItem* keyItem = m_table->item(row, 0);
    if (!keyItem || !valueItem || !valueItem->text().isEmpty())
        return;
    if (const KeyDefinition* key = m_delegate->FindKey(FromDialogText(keyItem->text())))
        valueItem->setText(ToDialogText(key->defaultValue));
}

void COtherKeysTable::AppendTabStops(std::vector<QWidget*>& tabOrder) const {
    tabOrder.push_back(m_table);
    tabOrder.push_back(m_add);
    tabOrder.push_back(m_remove);
}
