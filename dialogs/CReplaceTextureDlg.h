#pragma once

#include "framework/CDialogRunner.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QRadioButton;

// "Replace Texture": one texture name by another, on the selected faces or
// on the whole map. OK refuses a name no face could hold, with a message,
// and puts the focus back on its box.
class CReplaceTextureDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Replace Texture";

    explicit CReplaceTextureDlg(QWidget* parent = nullptr);

    // `selection`: whether anything is selected to limit the change to; it is
    // then the scope chosen at first.
    void SetFields(const std::string& find, const std::string& replace, bool selection);
    std::string GetFind() const;
    std::string GetReplace() const;
    bool IsSelectionOnly() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QLineEdit* GetFindBox() const { return m_find; }
    QLineEdit* GetReplaceBox() const { return m_replace; }
    QRadioButton* GetWholeMapButton() const { return m_wholeMap; }
    QPushButton* GetOkButton() const { return m_ok; }

private:
    void Refuse(QLineEdit* box, const std::string& problem);

    QLineEdit* m_find;
    QLineEdit* m_replace;
    QRadioButton* m_selection;
    QRadioButton* m_wholeMap;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// Why `name` cannot be a face's texture, or nothing when it can.
std::optional<std::string> DescribeBadTextureName(const std::string& name);
