#pragma once

#include <QUndoCommand>

#include <memory>

class CTolveDoc;

// The step Delete performs: taking out the selected brush in brush mode or the
// selected point entity in entity mode. None when the mode has nothing
// selected to delete.
std::unique_ptr<QUndoCommand> MakeDeletionStep(CTolveDoc& doc);
