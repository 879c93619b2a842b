#include "dialogs/CEntityVariablesDlg.h"

#include "dialogs/CClassKeyDelegate.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/COtherKeysTable.h"
#include "dialogs/CSpawnflagGroup.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "entity/FlagLabels.h"
#include "framework/CMessageService.h"
#include "map/CTolveDoc.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cassert>

namespace {

constexpr const char* kStyleCaptions[kStyleButtonCount] = {
    "Regular",     "Flicker 1",    "Slow Strong Pulse",   "Candle 1",
    "Fast Strobe", "Gentle Pulse", "Flicker 2",           "Candle 2",
    "Candle 3",    "Slow Stobe",   "Flourescent Flicker", "Slow Pulse, Not Fading to Black"};

constexpr const char* kSkillCaptions[kSkillButtonCount] = {"Easy", "Medium", "Hard", "Nightmare"};

// The class box is no line edit; it stands first in both kinds' field lists.
constexpr size_t kClassnameField = 0;
static_assert(static_cast<size_t>(PointField::kClassname) == kClassnameField);
static_assert(static_cast<size_t>(ModelField::kClassname) == kClassnameField);

template <class Field> constexpr size_t FieldIndex(Field field) {
    return static_cast<size_t>(field);
}

QVBoxLayout* MakeColumn(QWidget*& column, QWidget* parent) {
    column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

// The keys the dialog sets from its own boxes, checks and buttons, which the
// "Other keys" table does not offer.
std::vector<std::string> KeysWithBoxes(EntityKind kind) {
    std::vector<std::string> keys = {"classname", "spawnflags", "origin"};
    if (kind == EntityKind::kPoint) {
        keys.push_back("style");
        for (size_t i = 0; i < kPointFieldCount; ++i) {
            if (const char* key = GetBoxKey(static_cast<PointField>(i)))
                keys.push_back(key);
        }
    } else {
        for (size_t i = 0; i < kModelFieldCount; ++i) {
            if (const char* key = GetBoxKey(static_cast<ModelField>(i)))
                keys.push_back(key);
        }
    }
    return keys;
}

// The box of a Custom row's key: `row` 1 or 2.
size_t CustomKeyField(EntityKind kind, int row) {
    if (kind == EntityKind::kPoint)
        return static_cast<size_t>(row == 1 ? PointField::kCustomKey1 : PointField::kCustomKey2);
    return static_cast<size_t>(row == 1 ? ModelField::kCustomKey1 : ModelField::kCustomKey2);
}

} // namespace

CEntityVariablesDlg::CEntityVariablesDlg(EntityKind kind, const CTolveDoc& doc, QWidget* parent)
    : CEntityVariablesDlg(kind,
                          OfferedClassNames(doc.GetEntityDefinitions(),
                                            kind == EntityKind::kPoint ? EntityClassKind::kPoint
                                                                       : EntityClassKind::kBrush,
                                            kind == EntityKind::kPoint ? doc.m_pointClassNames
                                                                       : doc.m_brushClassNames),
                          parent) {
    m_definitions = doc.GetEntityDefinitions();
}

CEntityVariablesDlg::CEntityVariablesDlg(EntityKind kind,
                                         const std::vector<std::string>& classNames,
                                         QWidget* parent)
    : QDialog(parent), m_kind(kind), m_class(new CClassNameCombo(classNames, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)), m_choice(new QButtonGroup(this)) {
    setWindowTitle(QString::fromLatin1(GetTitle()));
    std::vector<QWidget*> tabOrder{m_class, m_ok, m_cancel};
    QHBoxLayout* top = MakeClassRow(*this, m_class, m_ok, m_cancel);

    QWidget* left = kind == EntityKind::kPoint ? BuildPointLeftColumn(tabOrder)
                                               : BuildBrushLeftColumn(tabOrder);
    m_spawnflags = new CSpawnflagGroup(this);
    m_spawnflags->AppendTabStops(tabOrder);
    QWidget* right = BuildRightColumn(tabOrder);
    auto* columns = new QHBoxLayout;
    columns->addWidget(left);
    columns->addWidget(m_spawnflags);
    columns->addWidget(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(columns);
    if (kind == EntityKind::kBrush)
        layout->addWidget(BuildBrushCustomGroup(tabOrder));
    m_otherKeys = new COtherKeysTable(this);
    // A key of a Custom row is not offered for the table again.
    m_otherKeys->GetDelegate()->SetTakenKeys([this] {
        std::vector<std::string> keys;
        for (size_t field : {CustomKeyField(m_kind, 1), CustomKeyField(m_kind, 2)})
            keys.push_back(FromDialogText(m_boxes[field]->text()));
        return keys;
    });
    m_otherKeys->AppendTabStops(tabOrder);
    layout->addWidget(m_otherKeys);
    ChainTabOrder(tabOrder);

    connect(m_class, &CClassNameCombo::ClassChosen, this, &CEntityVariablesDlg::UpdateFlagLabels);
}

const char* CEntityVariablesDlg::GetTitle() const {
    return m_kind == EntityKind::kPoint ? kPointTitle : kBrushTitle;
}

template <class Field>
QLineEdit* CEntityVariablesDlg::AddBox(QGridLayout& grid, int row, const char* label, Field field,
                                       std::vector<QWidget*>& tabOrder) {
    QLineEdit* box = AddLabeledEdit(grid, row, QString::fromLatin1(label), this);
    m_boxes[FieldIndex(field)] = box;
    tabOrder.push_back(box);
    return box;
}

// Target, Targetname, Killtarget and Message, which every entity may have.
template <class Field>
void CEntityVariablesDlg::AddLinkBoxes(QGridLayout& grid, std::vector<QWidget*>& tabOrder) {
    AddBox(grid, 0, "Target:", Field::kTarget, tabOrder);
    AddBox(grid, 1, "Targetname:", Field::kTargetname, tabOrder);
    AddBox(grid, 2, "Killtarget:", Field::kKilltarget, tabOrder);
    AddBox(grid, 3, "Message:", Field::kMessage, tabOrder);
}

// The two free key/value pairs, in reading order.
template <class Field>
void CEntityVariablesDlg::AddCustomBoxes(QGridLayout& grid, int boxesPerRow,
                                         std::vector<QWidget*>& tabOrder) {
    const Field fields[] = {Field::kCustomKey1, Field::kCustomValue1, Field::kCustomKey2,
                            Field::kCustomValue2};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(grid.parentWidget());
        box->setAccessibleName(QString::fromLatin1(GetBoxName(fields[i])));
        grid.addWidget(box, i / boxesPerRow, i % boxesPerRow);
        m_boxes[FieldIndex(fields[i])] = box;
        tabOrder.push_back(box);
    }
    // A key is longer than its value.
    for (int column = 0; column < boxesPerRow; ++column)
        grid.setColumnStretch(column, column % 2 == 0 ? 3 : 2);
}

QRadioButton* CEntityVariablesDlg::AddChoiceButton(const char* caption, int index, QWidget* parent,
                                                   std::vector<QWidget*>& tabOrder) {
    auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
    m_choice->addButton(button, index);
    tabOrder.push_back(button);
    return button;
}

QWidget* CEntityVariablesDlg::BuildPointLeftColumn(std::vector<QWidget*>& tabOrder) {
    using enum PointField;
    QWidget* column = nullptr;
    QVBoxLayout* layout = MakeColumn(column, this);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Angle:", kAngle, tabOrder);
    layout->addWidget(MakeFrame(grid, column));
    AddBox(*grid, 0, "Light:", kLight, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Mangle")));
    AddBox(*grid, 0, "x", kMangleX, tabOrder);
    AddBox(*grid, 1, "y", kMangleY, tabOrder);
    AddBox(*grid, 2, "z", kMangleZ, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Shooter")));
    AddBox(*grid, 0, "Nextthink:", kNextthink, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Custom")));
    AddCustomBoxes<PointField>(*grid, 2, tabOrder);
    layout->addStretch(1);
    return column;
}

QWidget* CEntityVariablesDlg::BuildBrushLeftColumn(std::vector<QWidget*>& tabOrder) {
    using enum ModelField;
    QWidget* column = nullptr;
    QVBoxLayout* layout = MakeColumn(column, this);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    const std::pair<const char*, ModelField> numbers[] = {
        {"Speed:", kSpeed},   {"Wait:", kWait},   {"Lip:", kLip},       {"Dmg:", kDmg},
        {"Health:", kHealth}, {"Delay:", kDelay}, {"Height:", kHeight}, {"Angle:", kAngle}};
    int row = 0;
    for (const auto& [label, field] : numbers)
        AddBox(*grid, row++, label, field, tabOrder);
    layout->addWidget(MakeFrame(grid, column, QStringLiteral("Counter")));
    AddBox(*grid, 0, "Count:", kCount, tabOrder);
    layout->addStretch(1);
    return column;
}

QWidget* CEntityVariablesDlg::BuildRightColumn(std::vector<QWidget*>& tabOrder) {
    QWidget* column = nullptr;
    QVBoxLayout* layout = MakeColumn(column, this);
    QGridLayout* grid = nullptr;
    layout->addWidget(MakeFrame(grid, column));
    if (m_kind == EntityKind::kPoint) {
        AddLinkBoxes<PointField>(*grid, tabOrder);
        AddStyleGroup(*layout, tabOrder);
    } else {
        AddLinkBoxes<ModelField>(*grid, tabOrder);
        AddLevelSkillAndSound(*layout, tabOrder);
    }
    layout->addStretch(1);
    return column;
}

// The light styles, in two columns of six.
void CEntityVariablesDlg::AddStyleGroup(QVBoxLayout& column, std::vector<QWidget*>& tabOrder) {
    QWidget* parent = column.parentWidget();
    QGridLayout* grid = nullptr;
    column.addWidget(MakeFrame(grid, parent, QStringLiteral("Style")));
    constexpr int kRows = kStyleButtonCount / 2;
    for (int index = 0; index < kStyleButtonCount; ++index) {
        QRadioButton* button = AddChoiceButton(kStyleCaptions[index], index, parent, tabOrder);
        grid->addWidget(button, index % kRows, index / kRows);
    }
}

// The level a changer leads to, then the skills beside the sound.
void CEntityVariablesDlg::AddLevelSkillAndSound(QVBoxLayout& column,
                                                std::vector<QWidget*>& tabOrder) {
    QWidget* parent = column.parentWidget();
    QGridLayout* grid = nullptr;
    column.addWidget(MakeFrame(grid, parent, QStringLiteral("Changelevel")));
    AddBox(*grid, 0, "Map:", ModelField::kMap, tabOrder);

    auto* setskill = new QGroupBox(QStringLiteral("Setskill"), parent);
    auto* skillLayout = new QVBoxLayout(setskill);
    for (int index = 0; index < kSkillButtonCount; ++index)
        skillLayout->addWidget(AddChoiceButton(kSkillCaptions[index], index, setskill, tabOrder));
    skillLayout->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(setskill, 1);
    bottom->addWidget(BuildSoundFrame(tabOrder), 1);
    column.addLayout(bottom);
}

QWidget* CEntityVariablesDlg::BuildSoundFrame(std::vector<QWidget*>& tabOrder) {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = MakeFrame(grid, this);
    QLineEdit* sound = AddBox(*grid, 0, "Sound:", ModelField::kSound, tabOrder);
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

// A brush entity's custom pairs run along the bottom, in one row.
QWidget* CEntityVariablesDlg::BuildBrushCustomGroup(std::vector<QWidget*>& tabOrder) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QStringLiteral("Custom"));
    AddCustomBoxes<ModelField>(*grid, 4, tabOrder);
    return group;
}

QLineEdit* CEntityVariablesDlg::GetBox(PointField field) const {
    return m_kind == EntityKind::kPoint ? m_boxes[FieldIndex(field)] : nullptr;
}

QLineEdit* CEntityVariablesDlg::GetBox(ModelField field) const {
    return m_kind == EntityKind::kBrush ? m_boxes[FieldIndex(field)] : nullptr;
}

QRadioButton* CEntityVariablesDlg::GetChoiceButton(EntityKind kind, int index) const {
    return kind == m_kind ? static_cast<QRadioButton*>(m_choice->button(index)) : nullptr;
}

QRadioButton* CEntityVariablesDlg::GetStyleButton(int index) const {
    return GetChoiceButton(EntityKind::kPoint, index);
}

QRadioButton* CEntityVariablesDlg::GetSkillButton(int index) const {
    return GetChoiceButton(EntityKind::kBrush, index);
}

template <class Fields> void CEntityVariablesDlg::ShowFields(const Fields& fields, int choice) {
    m_loadedChoice = choice;
    m_class->SetClassName(fields.text.texts[kClassnameField]);
    // An entity opens with its class's captions, as when its class is chosen.
    UpdateFlagLabels(fields.text.texts[kClassnameField]);
    for (size_t i = 0; i < fields.text.texts.size(); ++i) {
        if (m_boxes[i])
            m_boxes[i]->setText(ToDialogText(fields.text.texts[i]));
    }
    m_spawnflags->SetChecks(fields.spawnflags);
    SelectButton(*m_choice, choice);
    m_otherKeys->SetPairs(fields.otherKeys);
}

template <class Fields> Fields CEntityVariablesDlg::ReadFields() const {
    Fields fields;
    fields.text.texts[kClassnameField] = m_class->GetClassName();
    for (size_t i = 0; i < fields.text.texts.size(); ++i) {
        if (m_boxes[i])
            fields.text.texts[i] = FromDialogText(m_boxes[i]->text());
    }
    fields.spawnflags = m_spawnflags->GetChecks();
    fields.otherKeys = m_otherKeys->GetPairs();
    return fields;
}

void CEntityVariablesDlg::SetFields(const PointEntityFields& fields) {
    assert(m_kind == EntityKind::kPoint);
    m_loadedPoint = fields;
    ShowFields(fields, fields.style);
}

void CEntityVariablesDlg::SetFields(const ModelEntityFields& fields) {
    assert(m_kind == EntityKind::kBrush);
    m_loadedBrush = fields;
    ShowFields(fields, fields.skill == kNoButton ? 0 : fields.skill);
}

PointEntityFields CEntityVariablesDlg::GetPointFields() const {
    assert(m_kind == EntityKind::kPoint);
    PointEntityFields fields = ReadFields<PointEntityFields>();
    fields.style = GetChosenButton(*m_choice, m_loadedChoice);
    return fields;
}

ModelEntityFields CEntityVariablesDlg::GetBrushFields() const {
    assert(m_kind == EntityKind::kBrush);
    ModelEntityFields fields = ReadFields<ModelEntityFields>();
    fields.skill = GetChosenButton(*m_choice, m_loadedChoice);
    return fields;
}

void CEntityVariablesDlg::UpdateFlagLabels(const std::string& className) {
    BrushEntityCaptions captions;
    if (m_definitions)
        captions = MakeDefinedFlagLabels(m_definitions->Find(className));
    else if (m_kind == EntityKind::kPoint)
        captions.flags = MakePointFlagLabels(className);
    else
        captions = MakeBrushFlagLabels(className);
    m_spawnflags->SetCaptions(captions.flags);
    m_otherKeys->SetClass(m_definitions ? m_definitions->Find(className) : nullptr,
                          KeysWithBoxes(m_kind));
    if (m_kind == EntityKind::kPoint)
        return;
    for (int i = 0; i < kSoundButtonCount; ++i)
        m_soundButtons[static_cast<size_t>(i + 1)]->setText(ToDialogText(captions.sounds[i]));
}

void CEntityVariablesDlg::accept() {
    bool refused;
    if (m_kind == EntityKind::kPoint) {
        MoveRowsIntoBoxes(GetPointFields());
        refused = ExplainUnstorableText(GetPointFields(), m_loadedPoint);
    } else {
        MoveRowsIntoBoxes(GetBrushFields());
        refused = ExplainUnstorableText(GetBrushFields(), m_loadedBrush);
    }
    if (!refused)
        QDialog::accept();
}

template <class Fields> void CEntityVariablesDlg::MoveRowsIntoBoxes(Fields fields) {
    if (!MoveBoxKeysIntoBoxes(fields))
        return;
    for (size_t i = 0; i < fields.text.texts.size(); ++i) {
        if (m_boxes[i])
            m_boxes[i]->setText(ToDialogText(fields.text.texts[i]));
    }
    m_class->SetClassName(fields.text.texts[kClassnameField]);
    m_otherKeys->SetPairs(fields.otherKeys);
}

// Names the first text the map cannot hold and puts the cursor on it.
template <class Fields>
bool CEntityVariablesDlg::ExplainUnstorableText(const Fields& fields, const Fields& loaded) {
    const auto problem = FindUnstorableText(fields, &loaded);
    if (!problem)
        return false;
    ShowMessageBox(GetTitle(), problem->message, MessageIcon::kWarning);
    if (problem->field)
        FocusBox(FieldIndex(*problem->field));
    else
        m_otherKeys->FocusRow(problem->otherRow);
    return true;
}

void CEntityVariablesDlg::FocusBox(size_t field) {
    if (field == kClassnameField) {
        m_class->setFocus();
        return;
    }
    QLineEdit* box = m_boxes[field];
    box->setFocus();
    box->selectAll();
}
