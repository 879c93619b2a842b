#pragma once

#include "framework/CDialogRunner.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

// A dialog of one number: a labelled box, OK and Cancel. OK refuses what
// `check` finds wrong with the box's text, with the standard message, and
// puts the focus back on the box, which has it from the start.
class CNumberDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    using Check = std::function<std::optional<std::string>(const std::string&)>;

    CNumberDlg(const char* title, const QString& label, Check check, QWidget* parent = nullptr);

    void SetText(const std::string& text);
    std::string GetText() const;

    std::string GetDialogName() const override { return m_title; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QLineEdit* GetBox() const { return m_box; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    std::string m_title;
    Check m_check;
    QLineEdit* m_box;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
