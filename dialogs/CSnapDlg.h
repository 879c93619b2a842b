#pragma once

#include "dialogs/CNumberDlg.h"
#include "map/SnapFields.h"

// "Snap": the document's snap step. OK refuses a step outside 1..1024 with the
// standard message and puts the focus back on the box.
class CSnapDlg : public CNumberDlg {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Snap";

    explicit CSnapDlg(QWidget* parent = nullptr);

    void SetFields(const SnapFields& fields) { SetText(fields.snap); }
    SnapFields GetFields() const { return {GetText()}; }

    QLineEdit* GetSnapBox() const { return GetBox(); }
};
