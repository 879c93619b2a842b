#include "dialogs/CSnapDlg.h"

CSnapDlg::CSnapDlg(QWidget* parent)
    : CNumberDlg(
          kTitle, QStringLiteral("Snap:"),
          [](const std::string& text) { return FindSnapProblem(SnapFields{text}); }, parent) {}
