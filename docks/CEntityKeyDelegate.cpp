#include "docks/CEntityKeyDelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// The texts the game reads as numbers: "-12", "0.5", ".5", "+3.".
constexpr const char* kNumberPattern = R"([+-]?(\d+\.?\d*|\.\d+))";

QLineEdit* MakeNumberEdit(QWidget* parent, int count) {
    auto* edit = new QLineEdit(parent);
    QString pattern = QString::fromLatin1(kNumberPattern);
    for (int i = 1; i < count; ++i)
        pattern +=
            QStringLiteral("( +") + QString::fromLatin1(kNumberPattern) + QStringLiteral(")");
    // A colour may carry a fourth number, its brightness.
    if (count > 1)
        pattern +=
            QStringLiteral("( +") + QString::fromLatin1(kNumberPattern) + QStringLiteral(")?");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

// One box a flag; bits past the boxes keep what they were.
class CFlagBoxes : public QFrame {
public:
    CFlagBoxes(QWidget* parent, const QStringList& labels) : QFrame(parent) {
        setFrameShape(QFrame::StyledPanel);
        setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 2, 4, 2);
        layout->setSpacing(0);
        for (int i = 0; i < labels.size(); ++i) {
            const QString caption = labels[i].isEmpty() ? QString::number(1u << i) : labels[i];
            auto* box = new QCheckBox(caption, this);
            layout->addWidget(box);
            m_boxes.push_back(box);
        }
        setFocusProxy(m_boxes.isEmpty() ? nullptr : m_boxes.front());
    }

    void SetValue(uint32_t value) {
        m_value = value;
        for (int i = 0; i < m_boxes.size(); ++i)
            m_boxes[i]->setChecked((value >> i) & 1u);
    }

    uint32_t GetValue() const {
        uint32_t value = m_value & ~((1u << m_boxes.size()) - 1);
        for (int i = 0; i < m_boxes.size(); ++i) {
            if (m_boxes[i]->isChecked())
                value |= 1u << i;
        }
        return value;
    }

private:
    QList<QCheckBox*> m_boxes;
    uint32_t m_value = 0;
};

// The value a choice's entry writes: the text before " : ".
QString ChoiceValue(const QString& entry) {
    const qsizetype colon = entry.indexOf(QStringLiteral(" : "));
    return colon < 0 ? entry : entry.left(colon);
}

} // namespace

CEntityKeyDelegate::CEntityKeyDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* CEntityKeyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    switch (index.data(kKindRole).toInt()) {
    case kNumber:
        return MakeNumberEdit(parent, 1);
    case kColour:
        return MakeNumberEdit(parent, 3);
    case kChoices: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(index.data(kChoicesRole).toStringList());
        return box;
    }
    case kFlags:
        return new CFlagBoxes(parent, index.data(kFlagLabelsRole).toStringList());
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void CEntityKeyDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* flags = dynamic_cast<CFlagBoxes*>(editor)) {
        flags->SetValue(value.toUInt());
    } else if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int entry = box->findText(value + QStringLiteral(" : "), Qt::MatchStartsWith);
        if (entry >= 0)
            box->setCurrentIndex(entry);
        else
            box->setEditText(value);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void CEntityKeyDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* flags = dynamic_cast<CFlagBoxes*>(editor))
        model->setData(index, QString::number(flags->GetValue()), Qt::EditRole);
    else if (auto* box = qobject_cast<QComboBox*>(editor))
        model->setData(index, ChoiceValue(box->currentText()), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

// The flag boxes hang below their cell, as tall as they need.
void CEntityKeyDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    if (dynamic_cast<CFlagBoxes*>(editor)) {
        editor->setGeometry(
            QRect(option.rect.topLeft(), QSize(option.rect.width(), editor->sizeHint().height())));
        return;
    }
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}

QString CEntityKeyDelegate::ShownText(const QModelIndex& index) {
    if (index.data(kDiffersRole).toBool())
        return QString::fromLatin1(kDifferent);
    return index.data(Qt::DisplayRole).toString();
}

void CEntityKeyDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const bool differs = index.data(kDiffersRole).toBool();
    if (differs)
        option->text = QString::fromLatin1(kDifferent);
    if (differs || index.data(kAbsentRole).toBool()) {
        option->font.setItalic(true);
        option->palette.setColor(QPalette::Text,
                                 option->palette.color(QPalette::Disabled, QPalette::Text));
    }
}
