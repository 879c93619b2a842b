#include "dialogs/CModelEntityVariablesDlg.h"

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

constexpr const char* kSkillCaptions[kSkillButtonCount] = {"Easy", "Medium", "Hard", "Nightmare"};

} // namespace

CModelEntityVariablesDlg::CModelEntityVariablesDlg(const std::vector<std::string>& classNames,
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
    QWidget* custom = BuildCustomGroup(tabOrder);
    m_otherKeys = new COtherKeysTable(this);
    m_otherKeys->AppendTabStops(tabOrder);

    auto* columns = new QHBoxLayout;
    columns->addWidget(left);
    columns->addWidget(m_spawnflags);
    columns->addWidget(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(columns);
    layout->addWidget(custom);
    layout->addWidget(m_otherKeys);
    ChainTabOrder(tabOrder);

    connect(m_class, &CClassNameCombo::ClassChosen, this,
            &CModelEntityVariablesDlg::UpdateFlagLabels);
}

QLineEdit* CModelEntityVariablesDlg::AddBox(QGridLayout& grid, int row, const char* label,
                                            ModelField field, std::vector<QWidget*>& tabOrder) {
    QLineEdit* box = AddLabeledEdit(grid, row, QString::fromLatin1(label), this);
    m_boxes[static_cast<size_t>(field)] = box;
    tabOrder.push_back(box);
    return box;
}

QWidget* CModelEntityVariablesDlg::BuildLeftColumn(std::vector<QWidget*>& tabOrder) {
    using enum ModelField;
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    const std::pair<const char*, ModelField> numbers[] = {
        {"Speed:", Speed},   {"Wait:", Wait},   {"Lip:", Lip},       {"Dmg:", Dmg},
        {"Health:", Health}, {"Delay:", Delay}, {"Height:", Height}, {"Angle:", Angle}};
    int row = 0;
    for (const auto& [label, field] : numbers)
        AddBox(*grid, row++, label, field, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Counter")));
    AddBox(*grid, 0, "Count:", Count, tabOrder);
    layout->addStretch(1);
    return column;
}

QWidget* CModelEntityVariablesDlg::BuildRightColumn(std::vector<QWidget*>& tabOrder) {
    using enum ModelField;
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Target:", Target, tabOrder);
    AddBox(*grid, 1, "Targetname:", Targetname, tabOrder);
    AddBox(*grid, 2, "Killtarget:", Killtarget, tabOrder);
    AddBox(*grid, 3, "Message:", Message, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Changelevel")));
    AddBox(*grid, 0, "Map:", Map, tabOrder);

    auto* setskill = new QGroupBox(QStringLiteral("Setskill"), column);
    auto* skillLayout = new QVBoxLayout(setskill);
    m_skill = new QButtonGroup(this);
    for (int index = 0; index < kSkillButtonCount; ++index) {
        auto* button = new QRadioButton(QString::fromLatin1(kSkillCaptions[index]), setskill);
        m_skill->addButton(button, index);
        skillLayout->addWidget(button);
        tabOrder.push_back(button);
    }
    skillLayout->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(setskill, 1);
    bottom->addWidget(BuildSoundFrame(tabOrder), 1);
    layout->addLayout(bottom);
    layout->addStretch(1);
    return column;
}

QWidget* CModelEntityVariablesDlg::BuildSoundFrame(std::vector<QWidget*>& tabOrder) {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = MakeFrame(grid, this);
    QLineEdit* sound = AddBox(*grid, 0, "Sound:", ModelField::Sound, tabOrder);
    for (int number = 0; number <= kSoundButtonCount; ++number) {
        const QString text = QString::number(number);
        auto* button = new QPushButton(number == 0 ? QStringLiteral("No Sound") : text, frame);
        button->setAutoDefault(false);
        // Whatever its caption says, a button writes its own number.
        connect(button, &QPushButton::clicked, sound, [sound, text] { sound->setText(text); });
        grid->addWidget(button, number + 1, 0, 1, 2);
        m_soundButtons[static_cast<size_t>(number)] = button;
        tabOrder.push_back(button);
    }
    return frame;
}

QWidget* CModelEntityVariablesDlg::BuildCustomGroup(std::vector<QWidget*>& tabOrder) {
    using enum ModelField;
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QStringLiteral("Custom"));
    const ModelField boxes[] = {CustomKey1, CustomValue1, CustomKey2, CustomValue2};
    for (int column = 0; column < 4; ++column) {
        auto* box = new QLineEdit(group);
        box->setAccessibleName(QString::fromLatin1(GetBoxName(boxes[column])));
        grid->addWidget(box, 0, column);
        // Keys are wider than values.
        grid->setColumnStretch(column, column % 2 == 0 ? 3 : 2);
        m_boxes[static_cast<size_t>(boxes[column])] = box;
        tabOrder.push_back(box);
    }
    return group;
}

QRadioButton* CModelEntityVariablesDlg::GetSkillButton(int index) const {
    return static_cast<QRadioButton*>(m_skill->button(index));
}

void CModelEntityVariablesDlg::SetFields(const CModelEntityFields& fields) {
    m_fields = fields;
    if (m_fields.skill == kNoButton)
        m_fields.skill = 0;
    m_class->SetClassName(fields.text[ModelField::Classname]);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i])
            m_boxes[i]->setText(ToDialogText(fields.text.texts[i]));
    }
    m_spawnflags->SetChecks(fields.spawnflags);
    SelectButton(*m_skill, m_fields.skill);
    m_otherKeys->SetPairs(fields.otherKeys);
}

CModelEntityFields CModelEntityVariablesDlg::GetFields() const {
    CModelEntityFields fields;
    fields.text[ModelField::Classname] = m_class->GetClassName();
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i])
            fields.text.texts[i] = FromDialogText(m_boxes[i]->text());
    }
    fields.spawnflags = m_spawnflags->GetChecks();
    fields.skill = GetChosenButton(*m_skill, m_fields.skill);
    fields.otherKeys = m_otherKeys->GetPairs();
    return fields;
}

void CModelEntityVariablesDlg::UpdateFlagLabels(const std::string& className) {
    const BrushEntityCaptions captions = MakeBrushFlagLabels(className);
    m_spawnflags->SetCaptions(captions.flags);
    for (int i = 0; i < kSoundButtonCount; ++i)
        m_soundButtons[static_cast<size_t>(i + 1)]->setText(ToDialogText(captions.sounds[i]));
}

void CModelEntityVariablesDlg::accept() {
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

void CModelEntityVariablesDlg::FocusField(ModelField field) {
    if (field == ModelField::Classname) {
        m_class->setFocus();
        return;
    }
    QLineEdit* box = GetBox(field);
    box->setFocus();
    box->selectAll();
}
