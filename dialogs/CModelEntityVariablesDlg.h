#pragma once

#include "entity/EntityFields.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class CClassNameCombo;
class COtherKeysTable;
class CSpawnflagGroup;
class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Model Entity Variables": the keys of an entity made of brushes. Like the
// point entity dialog it only moves its values to and from the controls; the
// sound buttons write their numbers into the Sound box.
class CModelEntityVariablesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Model Entity Variables";

    explicit CModelEntityVariablesDlg(const std::vector<std::string>& classNames,
                                      QWidget* parent = nullptr);

    // A new entity has no skill yet and opens with "Easy".
    void SetFields(const CModelEntityFields& fields);
    CModelEntityFields GetFields() const;

    // Relabels the spawnflag boxes and the sound buttons for a class.
    void UpdateFlagLabels(const std::string& className);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    CClassNameCombo* GetClassCombo() const { return m_class; }
    QLineEdit* GetBox(ModelField field) const { return m_boxes[static_cast<size_t>(field)]; }
    CSpawnflagGroup* GetSpawnflags() const { return m_spawnflags; }
    QRadioButton* GetSkillButton(int index) const;
    // 0: "No Sound", 1 to 4: the numbered buttons.
    QPushButton* GetSoundButton(int number) const {
        return m_soundButtons[static_cast<size_t>(number)];
    }
    COtherKeysTable* GetOtherKeys() const { return m_otherKeys; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* BuildLeftColumn(std::vector<QWidget*>& tabOrder);
    QWidget* BuildRightColumn(std::vector<QWidget*>& tabOrder);
    QWidget* BuildSoundFrame(std::vector<QWidget*>& tabOrder);
    QWidget* BuildCustomGroup(std::vector<QWidget*>& tabOrder);
    QLineEdit* AddBox(QGridLayout& grid, int row, const char* label, ModelField field,
                      std::vector<QWidget*>& tabOrder);
    void FocusField(ModelField field);

    CModelEntityFields m_fields; // as loaded: a skill no button stands for stays
    CClassNameCombo* m_class;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::array<QLineEdit*, kModelFieldCount> m_boxes{};
    CSpawnflagGroup* m_spawnflags = nullptr;
    QButtonGroup* m_skill = nullptr;
    std::array<QPushButton*, kSoundButtonCount + 1> m_soundButtons{};
    COtherKeysTable* m_otherKeys = nullptr;
};
