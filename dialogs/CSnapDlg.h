#pragma once

#include "framework/CDialogRunner.h"
#include "map/SnapFields.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Snap": the document's snap step. OK refuses a step outside 1..1024 with the
// standard message and puts the focus back on the box.
class CSnapDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Snap";

    explicit CSnapDlg(QWidget* parent = nullptr);

    void SetFields(const SnapFields& fields);
    SnapFields GetFields() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QLineEdit* GetSnapBox() const { return m_snap; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QLineEdit* m_snap;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
