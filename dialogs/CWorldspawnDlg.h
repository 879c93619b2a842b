#pragma once

#include "entity/EntityFields.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <array>
#include <string>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Worldspawn Entity": the world's title, worldtype, light and CD track.
// "Default" clears the worldtype and brings back the texts it opened with.
class CWorldspawnDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Worldspawn Entity";

    explicit CWorldspawnDlg(QWidget* parent = nullptr);

    void SetFields(const WorldFields& fields);
    WorldFields GetFields() const;
    void RestoreDefault();

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QLineEdit* GetBox(WorldField field) const { return m_boxes[static_cast<size_t>(field)]; }
    QRadioButton* GetWorldTypeButton(int index) const;
    QPushButton* GetDefaultButton() const { return m_default; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    WorldFields m_fields; // as loaded
    std::array<QLineEdit*, kWorldFieldCount> m_boxes{};
    QButtonGroup* m_worldType;
    QPushButton* m_default;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
