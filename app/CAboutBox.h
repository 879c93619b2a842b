#pragma once

#include "framework/CDialogRunner.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

// "About Tolve": the icon, the version and a short notice. Opening it plays
// the About sound.
class CAboutBox : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    CAboutBox(const std::string& soundPath, QWidget* parent = nullptr);

    std::string GetDialogName() const override { return "About Tolve"; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    QLabel* GetIconLabel() const { return m_icon; }
    QLabel* GetVersionLabel() const { return m_version; }
    QPushButton* GetOkButton() const { return m_ok; }

private:
    QLabel* m_icon;
    QLabel* m_version;
    QPushButton* m_ok;
};
