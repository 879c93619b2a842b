#pragma once

#include "framework/CDialogRunner.h"

#include <QColorDialog>

// The system's colour chooser, run as every modal dialog is, so that tests
// answer it instead of a person.
class CColourDlg : public QColorDialog, public CModalDialog {
public:
    CColourDlg(const QColor& initial, QWidget* parent) : QColorDialog(initial, parent) {}

    std::string GetDialogName() const override { return "Select Color"; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
};
