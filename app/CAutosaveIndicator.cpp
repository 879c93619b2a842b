#include "app/CAutosaveIndicator.h"

#include "app/CAutosaver.h"

namespace {

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

QString FailedCopyText(const std::string& title) {
    return QStringLiteral("Autosave of \"%1\" failed").arg(FromLocal(title));
}

} // namespace

CAutosaveIndicator::CAutosaveIndicator(CAutosaver& autosaver, QWidget* parent)
    : QLabel(parent), m_autosaver(autosaver) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(&autosaver, &CAutosaver::ProblemsChanged, this, &CAutosaveIndicator::Refresh);
    Refresh();
}

void CAutosaveIndicator::Refresh() {
    const std::string& offReason = m_autosaver.GetOffReason();
    const std::vector<CAutosaver::FailedCopy> failed = m_autosaver.GetFailedCopies();
    if (!offReason.empty()) {
        setText(QStringLiteral("Autosave is off"));
        setToolTip(QStringLiteral("Autosave is off: ") + FromLocal(offReason) +
                   QStringLiteral("\nIts folder is tried again at every autosave."));
    } else if (failed.size() == 1) {
        setText(FailedCopyText(failed.front().title));
        setToolTip(text() + QStringLiteral(": ") + FromLocal(failed.front().reason) +
                   QStringLiteral("\nIt is tried again at every autosave."));
    } else if (!failed.empty()) {
        setText(QStringLiteral("Autosave of %1 maps failed").arg(failed.size()));
        QStringList lines;
        for (const CAutosaver::FailedCopy& copy : failed)
            lines.append(FailedCopyText(copy.title) + QStringLiteral(": ") +
                         FromLocal(copy.reason));
        lines.append(QStringLiteral("They are tried again at every autosave."));
        setToolTip(lines.join(QLatin1Char('\n')));
    }
    setVisible(!offReason.empty() || !failed.empty());
}
