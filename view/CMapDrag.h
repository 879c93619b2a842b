#pragma once

#include "map/CMapTransaction.h"
#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

// The cursor point at the press of the left button: the world point under the
// mouse, snapped.
IntPoint SnappedWorldPoint(const CTolveDoc& doc, const CViewProjection& projection,
                           ScreenPoint mouse);

// One drag with the left button, from press to release: one transaction.
// Each step moves the objects it was given (the hovered one, or the whole
// selection set) by the snapped steps the mouse made in the view's plane.
class CMapDrag {
public:
    // Begins at the press: the cursor is the snapped world point under it.
    // `objects` are of the current edit mode; none makes a drag that moves
    // nothing.
    CMapDrag(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint press,
             CSelectionSet objects);
    // The same from a snapped world point, for a view that finds its points
    // otherwise (the camera view, on the plane of the grabbed face).
    CMapDrag(CTolveDoc& doc, const IntPoint& press, CSelectionSet objects);

    // Follows the mouse. False, changing nothing, while the snapped point
    // stays put.
    bool Step(ScreenPoint mouse);
    bool StepTo(const IntPoint& snapped);
    // Ends the drag as one step of the history. A drag that came back to
    // where it began, or had nothing to move, leaves the map as it was and
    // no step.
    void Commit();
    // Takes the whole drag back: the map is exactly as it was at the press.
    void Cancel();

    const IntPoint& GetCursor() const { return m_cursor; }

private:
    CTolveDoc& m_doc;
    const CViewProjection* m_projection; // null: the steps come as points
    IntPoint m_cursor;
    IntPoint m_total;
    CSelectionSet m_objects;
    CMapTransaction m_transaction;
};
