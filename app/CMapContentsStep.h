#pragma once

#include "map/CMapFragment.h"

#include <QUndoCommand>

class CTolveDoc;

// A change of the whole map at once, such as reading its file again: the step
// holds the contents the map does not have right now and trades them with the
// map's on every undo and redo. The objects themselves change places, so the
// steps before this one find the very brushes and entities they point at.
class CMapContentsStep : public QUndoCommand {
public:
    // `other` is what the map gets on the first redo.
    CMapContentsStep(CTolveDoc& doc, const QString& text, CMapFragment other);

    void undo() override;
    void redo() override;

private:
    CTolveDoc& m_doc;
    CMapFragment m_other;
};
