#include "dialogs/CEntityVariablesDlg.h"

#include "dialogs/CClassNameCombo.h"
#include "dialogs/COtherKeysTable.h"
#include "dialogs/CSpawnflagGroup.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "entity/FlagLabels.h"
#include "framework/CMessageService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kStyleCaptions[kStyleButtonCount] = {
    "Regular",     "Flicker 1",    "Slow Strong Pulse",   "Candle 1",
    "Fast Strobe", "Gentle Pulse", "Flicker 2",           "Candle 2",
    "Candle 3",    "Slow Stobe",   "Flourescent Flicker", "Slow Pulse, Not Fading to Black"};

} // namespace

CEntityVariablesDlg::CEntityVariablesDlg(const std::vector<std::string>& classNames,
                                         QWidget* parent)
    : QDialog(parent), m_class(new CClassNameCombo(classNames, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    std::vector<QWidget*> tabOrder{m_class, m_ok, m_cancel};
    QHBoxLayout* top = MakeClassRow(*this, m_class, m_ok, m_cancel);

    QWidget* left = BuildLeftColumn(tabOrder);
    m_spawnflags = new CSpawnflagGroup(this);
    m_spawnflags->AppendTabStops(tabOrder);
    QWidget* right = BuildRightColumn(tabOrder);
    m_otherKeys = new COtherKeysTable(this);
    m_otherKeys->AppendTabStops(tabOrder);

    auto* columns = new QHBoxLayout;
    columns->addWidget(left);
    columns->addWidget(m_spawnflags);
    columns->addWidget(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addWidget(m_otherKeys);
    ChainTabOrder(tabOrder);

    connect(m_class, &CClassNameCombo::ClassChosen, this, &CEntityVariablesDlg::UpdateFlagLabels);
}

QLineEdit* CEntityVariablesDlg::AddBox(QGridLayout& grid, int row, const char* label,
                                       PointField field, std::vector<QWidget*>& tabOrder) {
    QLineEdit* box = AddLabeledEdit(grid, row, QString::fromLatin1(label), this);
    m_boxes[static_cast<size_t>(field)] = box;
    tabOrder.push_back(box);
    return box;
}

QWidget* CEntityVariablesDlg::BuildLeftColumn(std::vector<QWidget*>& tabOrder) {
    using enum PointField;
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Angle:", Angle, tabOrder);
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Light:", Light, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Mangle")));
    AddBox(*grid, 0, "x", MangleX, tabOrder);
    AddBox(*grid, 1, "y", MangleY, tabOrder);
    AddBox(*grid, 2, "z", MangleZ, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Shooter")));
    AddBox(*grid, 0, "Nextthink:", Nextthink, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Custom")));
    const PointField custom[2][2] = {{CustomKey1, CustomValue1}, {CustomKey2, CustomValue2}};
    for (int row = 0; row < 2; ++row) {
        for (int side = 0; side < 2; ++side) {
            auto* box = new QLineEdit(this);
            box->setAccessibleName(QString::fromLatin1(GetBoxName(custom[row][side])));
            grid->addWidget(box, row, side);
            m_boxes[static_cast<size_t>(custom[row][side])] = box;
            tabOrder.push_back(box);
        }
    }
    // The key is the longer of the two.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    layout->addStretch(1);
    return column;
}

QWidget* CEntityVariablesDlg::BuildRightColumn(std::vector<QWidget*>& tabOrder) {
    using enum PointField;
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Target:", Target, tabOrder);
    AddBox(*grid, 1, "Targetname:", Targetname, tabOrder);
    AddBox(*grid, 2, "Killtarget:", Killtarget, tabOrder);
    AddBox(*grid, 3, "Message:", Message, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Style")));
    m_style = new QButtonGroup(this);
    constexpr int kRows = kStyleButtonCount / 2;
    for (int index = 0; index < kStyleButtonCount; ++index) {
        auto* button = new QRadioButton(QString::fromLatin1(kStyleCaptions[index]), column);
        m_style->addButton(button, index);
        grid->addWidget(button, index % kRows, index / kRows);
        tabOrder.push_back(button);
    }
    layout->addStretch(1);
    return column;
}

QRadioButton* CEntityVariablesDlg::GetStyleButton(int index) const {
    return static_cast<QRadioButton*>(m_style->button(index));
}

void CEntityVariablesDlg::SetFields(const CPointEntityFields& fields) {
    m_fields = fields;
    m_class->SetClassName(fields.text[PointField::Classname]);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i])
            m_boxes[i]->setText(ToDialogText(fields.text.texts[i]));
    }
    m_spawnflags->SetChecks(fields.spawnflags);
    SelectButton(*m_style, fields.style);
    m_otherKeys->SetPairs(fields.otherKeys);
}

CPointEntityFields CEntityVariablesDlg::GetFields() const {
    CPointEntityFields fields;
    fields.text[PointField::Classname] = m_class->GetClassName();
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i])
            fields.text.texts[i] = FromDialogText(m_boxes[i]->text());
    }
    fields.spawnflags = m_spawnflags->GetChecks();
    fields.style = GetChosenButton(*m_style, m_fields.style);
    fields.otherKeys = m_otherKeys->GetPairs();
    return fields;
}

void CEntityVariablesDlg::UpdateFlagLabels(const std::string& className) {
    m_spawnflags->SetCaptions(MakePointFlagLabels(className));
}

void CEntityVariablesDlg::accept() {
    if (auto problem = FindUnstorableText(GetFields())) {
        ShowMessageBox(kTitle, problem->message, MessageIcon::Warning);
        if (problem->field)
            FocusField(*problem->field);
        else
            m_otherKeys->FocusRow(problem->otherRow);
        return;
    }
    QDialog::accept();
}

void CEntityVariablesDlg::FocusField(PointField field) {
    if (field == PointField::Classname) {
        m_class->setFocus();
        return;
    }
    QLineEdit* box = GetBox(field);
    box->setFocus();
    box->selectAll();
}
