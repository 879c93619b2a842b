#pragma once

#include <QLabel>

class CAutosaver;

// The status bar's word on autosave, a permanent item beside the coordinates
// that no passing message covers: hidden while autosave works, otherwise it
// says that autosave is off or that a map has no copy of its changes, with
// the reason in its tool tip, until that is over.
class CAutosaveIndicator : public QLabel {
    Q_OBJECT

public:
    explicit CAutosaveIndicator(CAutosaver& autosaver, QWidget* parent = nullptr);

private:
    void Refresh();

    CAutosaver& m_autosaver;
};
