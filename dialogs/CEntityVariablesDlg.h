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

// "Entity Variables": every key of a point entity but its origin. The dialog
// moves its values to and from the controls; the caller loads and stores
// them. OK refuses a text the map cannot hold.
class CEntityVariablesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Entity Variables";

    explicit CEntityVariablesDlg(const std::vector<std::string>& classNames,
                                 QWidget* parent = nullptr);

    void SetFields(const CPointEntityFields& fields);
    CPointEntityFields GetFields() const;

    // Relabels the spawnflag boxes for a class.
    void UpdateFlagLabels(const std::string& className);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    CClassNameCombo* GetClassCombo() const { return m_class; }
    QLineEdit* GetBox(PointField field) const { return m_boxes[static_cast<size_t>(field)]; }
    CSpawnflagGroup* GetSpawnflags() const { return m_spawnflags; }
    QRadioButton* GetStyleButton(int index) const;
    COtherKeysTable* GetOtherKeys() const { return m_otherKeys; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* BuildLeftColumn(std::vector<QWidget*>& tabOrder);
    QWidget* BuildRightColumn(std::vector<QWidget*>& tabOrder);
    QLineEdit* AddBox(QGridLayout& grid, int row, const char* label, PointField field,
                      std::vector<QWidget*>& tabOrder);
    void FocusField(PointField field);

    CPointEntityFields m_fields; // as loaded: a style no button stands for stays
    CClassNameCombo* m_class;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::array<QLineEdit*, kPointFieldCount> m_boxes{};
    CSpawnflagGroup* m_spawnflags = nullptr;
    QButtonGroup* m_style = nullptr;
    COtherKeysTable* m_otherKeys = nullptr;
};
