#pragma once

#include "map/CTolveDoc.h"

// The map edits beside the large-map generator, whose face record shares a
// name with theirs: Delete of the selected brush as one step of the history,
// and its undo.
void DeleteSelectedBrush(CTolveDoc& doc);
void UndoLastStep(CTolveDoc& doc);
