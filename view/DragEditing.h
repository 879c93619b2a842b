#pragma once

#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

// The cursor point at the press of the left button: the world point under the
// mouse, snapped.
IntPoint SnappedWorldPoint(const CTolveDoc& doc, const CViewProjection& projection,
                           ScreenPoint mouse);

// One step of a drag with the mouse at `mouse`: the edit mode's object of the
// selection follows the snapped world point under the mouse, relative to
// `cursor`, which moves along. Marks the document modified and repaints all its
// views. Returns false, changing nothing, while the snapped point stays put.
bool DragStep(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint mouse,
              IntPoint& cursor);
