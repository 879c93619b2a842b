#pragma once

#include "entity/EntityFields.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

class CClassNameCombo;
class CEntityDefinitions;
class CTolveDoc;
class COtherKeysTable;
class CSpawnflagGroup;
class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// The keys of one entity, every one but a point entity's origin: "Entity
// Variables" for a point entity, "Model Entity Variables" for a brush entity.
// Both share the class row, the spawnflags, the link boxes, the two custom
// pairs and the other keys; a point entity adds its angle, light, mangle,
// shooter and light style, a brush entity its movement numbers, counter,
// level name, skill and sound. The dialog only moves values to and from the
// controls; the caller loads and stores them. OK refuses a text the map
// cannot hold.
class CEntityVariablesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kPointTitle = "Entity Variables";
    static constexpr const char* kBrushTitle = "Model Entity Variables";

    // `classNames` fill the class list: the point classes or the brush classes.
    CEntityVariablesDlg(EntityKind kind, const std::vector<std::string>& classNames,
                        QWidget* parent = nullptr);
    // The classes of the map's definitions when it names some, else the
    // built-in ones.
    CEntityVariablesDlg(EntityKind kind, const CTolveDoc& doc, QWidget* parent = nullptr);
    // Captions come from these classes; null: from the built-in rules.
    void SetDefinitions(const CEntityDefinitions* definitions) { m_definitions = definitions; }

    EntityKind GetKind() const { return m_kind; }

    // Each pair only for its own kind of dialog. A new brush entity has no
    // skill yet and opens with "Easy".
    void SetFields(const PointEntityFields& fields);
    void SetFields(const ModelEntityFields& fields);
    PointEntityFields GetPointFields() const;
    ModelEntityFields GetBrushFields() const;

    // Relabels the spawnflag boxes, and a brush entity's sound buttons, for a class.
    void UpdateFlagLabels(const std::string& className);

    std::string GetDialogName() const override { return GetTitle(); }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    CClassNameCombo* GetClassCombo() const { return m_class; }
    // The box of a field, or none when the dialog is of the other kind.
    QLineEdit* GetBox(PointField field) const;
    QLineEdit* GetBox(ModelField field) const;
    CSpawnflagGroup* GetSpawnflags() const { return m_spawnflags; }
    // A point entity's light styles or a brush entity's skills; none for the other kind.
    QRadioButton* GetStyleButton(int index) const;
    QRadioButton* GetSkillButton(int index) const;
    // 0: "No Sound", 1 to 4: the numbered buttons; none in a point entity dialog.
    QPushButton* GetSoundButton(int number) const {
        return m_soundButtons[static_cast<size_t>(number)];
    }
    COtherKeysTable* GetOtherKeys() const { return m_otherKeys; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    const char* GetTitle() const;
    QWidget* BuildPointLeftColumn(std::vector<QWidget*>& tabOrder);
    QWidget* BuildBrushLeftColumn(std::vector<QWidget*>& tabOrder);
    QWidget* BuildRightColumn(std::vector<QWidget*>& tabOrder);
    void AddStyleGroup(QVBoxLayout& column, std::vector<QWidget*>& tabOrder);
    void AddLevelSkillAndSound(QVBoxLayout& column, std::vector<QWidget*>& tabOrder);
    QWidget* BuildSoundFrame(std::vector<QWidget*>& tabOrder);
    QWidget* BuildBrushCustomGroup(std::vector<QWidget*>& tabOrder);
    template <class Field>
    QLineEdit* AddBox(QGridLayout& grid, int row, const char* label, Field field,
                      std::vector<QWidget*>& tabOrder);
    template <class Field> void AddLinkBoxes(QGridLayout& grid, std::vector<QWidget*>& tabOrder);
    template <class Field>
    void AddCustomBoxes(QGridLayout& grid, int boxesPerRow, std::vector<QWidget*>& tabOrder);
    QRadioButton* AddChoiceButton(const char* caption, int index, QWidget* parent,
                                  std::vector<QWidget*>& tabOrder);
    QRadioButton* GetChoiceButton(EntityKind kind, int index) const;
    template <class Fields> void ShowFields(const Fields& fields, int choice);
    template <class Fields> Fields ReadFields() const;
    template <class Fields> bool ExplainUnstorableText(const Fields& fields, const Fields& loaded);
    // Rows whose key has a box of its own give their value to that box.
    template <class Fields> void MoveRowsIntoBoxes(Fields fields);
    void FocusBox(size_t field);

    EntityKind m_kind;
    CClassNameCombo* m_class;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    // By field number of the dialog's kind; a field without a box has none.
    std::array<QLineEdit*, std::max(kPointFieldCount, kModelFieldCount)> m_boxes{};
    CSpawnflagGroup* m_spawnflags = nullptr;
    QButtonGroup* m_choice = nullptr; // the light style or the skill
    int m_loadedChoice = kNoButton;   // as loaded: a choice no button stands for stays
    std::array<QPushButton*, kSoundButtonCount + 1> m_soundButtons{};
    COtherKeysTable* m_otherKeys = nullptr;
    const CEntityDefinitions* m_definitions = nullptr;
    // As the dialog was opened: what the map said is kept, not judged.
    PointEntityFields m_loadedPoint;
    ModelEntityFields m_loadedBrush;
};
