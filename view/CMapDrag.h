#pragma once

#include "map/CMapChange.h"
#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

// The cursor point at the press of the left button: the world point under the
// mouse, snapped.
IntPoint SnappedWorldPoint(const CTolveDoc& doc, const CViewProjection& projection,
                           ScreenPoint mouse);

// One drag with the left button, from press to release. Each step moves the
// edit mode's object of the selection by the snapped steps the mouse made in
// the view's plane (a step with nothing to move still counts as a change);
// the commit describes the whole drag as one move.
class CMapDrag {
public:
    // Begins at the press: the cursor is the snapped world point under it.
    CMapDrag(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint press);

    // Follows the mouse. False, changing nothing, while the snapped point
    // stays put.
    bool Step(ScreenPoint mouse);
    // Ends the drag: what it moved and by how much in all, or a change of
    // kind kNone when it moved nothing.
    CMapChange Commit();

    const IntPoint& GetCursor() const { return m_cursor; }

private:
    CMapChange MoveSelection(const IntPoint& delta);

    CTolveDoc& m_doc;
    const CViewProjection& m_projection;
    IntPoint m_cursor;
    IntPoint m_total;
    CMapChange m_last; // the last step's change, for the commit's description
};
