#include "dialogs/CClassKeyDelegate.h"

#include "dialogs/DialogText.h"
#include "entity/EntityDefinitions.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kKeyColumn = 0;
constexpr int kValueColumn = 1;

QComboBox* MakeOfferBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    auto* completer = new QCompleter(box->model(), box);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    box->setCompleter(completer);
    return box;
}

// A choice as the list shows it: its value, then what it means.
QString ChoiceText(const KeyChoice& choice) {
    return ToDialogText(choice.value) + QStringLiteral(" : ") + ToDialogText(choice.caption);
}

} // namespace

QString DescribeKey(const KeyDefinition& key) {
    QString text = ToDialogText(key.caption.empty() ? key.name : key.caption);
    if (!key.defaultValue.empty())
        text += QStringLiteral("\nDefault: ") + ToDialogText(key.defaultValue);
    if (!key.description.empty())
        text += QStringLiteral("\n") + ToDialogText(key.description);
    return text;
}

CClassKeyDelegate::CClassKeyDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void CClassKeyDelegate::SetClass(const EntityClassDefinition* definition,
                                 const std::vector<std::string>& keysWithBoxes) {
    m_class = definition;
    m_offered.clear();
    if (!definition)
        return;
    for (const KeyDefinition& key : definition->keys) {
        if (std::find(keysWithBoxes.begin(), keysWithBoxes.end(), key.name) == keysWithBoxes.end())
            m_offered.push_back(key.name);
    }
}

const KeyDefinition* CClassKeyDelegate::FindKey(const std::string& key) const {
    return m_class ? m_class->FindKey(key) : nullptr;
}

std::vector<std::string> CClassKeyDelegate::GetKeysOfferedFor(const QAbstractItemModel& model,
                                                              int row) const {
    std::vector<std::string> taken = m_takenKeys ? m_takenKeys() : std::vector<std::string>();
    for (int other = 0; other < model.rowCount(); ++other) {
        if (other != row)
            taken.push_back(
                FromDialogText(model.index(other, kKeyColumn).data(Qt::EditRole).toString()));
    }
    std::vector<std::string> offered;
    for (const std::string& key : m_offered) {
        if (std::find(taken.begin(), taken.end(), key) == taken.end())
            offered.push_back(key);
    }
    return offered;
}

const KeyDefinition* CClassKeyDelegate::KeyOfRow(const QModelIndex& index) const {
    const QModelIndex keyCell = index.siblingAtColumn(kKeyColumn);
    return FindKey(FromDialogText(keyCell.data(Qt::EditRole).toString()));
}

QWidget* CClassKeyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    const std::vector<std::string> offered = index.column() == kKeyColumn
                                                 ? GetKeysOfferedFor(*index.model(), index.row())
                                                 : std::vector<std::string>();
    if (!offered.empty()) {
        QComboBox* box = MakeOfferBox(parent);
        for (const std::string& key : offered) {
            box->addItem(ToDialogText(key));
            if (const KeyDefinition* definition = FindKey(key))
                box->setItemData(box->count() - 1, DescribeKey(*definition), Qt::ToolTipRole);
        }
        return box;
    }
    const KeyDefinition* key = index.column() == kValueColumn ? KeyOfRow(index) : nullptr;
    if (key && !key->choices.empty()) {
        QComboBox* box = MakeOfferBox(parent);
        for (const KeyChoice& choice : key->choices)
            box->addItem(ChoiceText(choice));
        return box;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CClassKeyDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setEditText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

// A choice picked from the list gives its value, not its caption.
void CClassKeyDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    auto* box = qobject_cast<QComboBox*>(editor);
    if (!box) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    QString text = box->currentText();
    const KeyDefinition* key = index.column() == kValueColumn ? KeyOfRow(index) : nullptr;
    if (key) {
        for (const KeyChoice& choice : key->choices) {
            if (text == ChoiceText(choice))
                text = ToDialogText(choice.value);
        }
    }
    model->setData(index, text, Qt::EditRole);
}
