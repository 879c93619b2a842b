#pragma once

#include "map/BrushTransform.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/IntBox.h"
#include "view/CViewProjection.h"
#include "view/ResizeHandles.h"

#include <utility>
#include <vector>

// One drag of a resize handle, from press to release: one transaction named
// "Resize". Each step scales the selected brushes, as they were at the press,
// from the box they had to the box the handle's snapped position gives: the
// side or corner opposite the handle stays. Keeping proportions, the other
// side of the view scales alike, about its middle when the handle is on an
// edge. A step the brushes cannot take (a result that is no brush) is
// skipped.
class CResizeDrag {
public:
    CResizeDrag(CTolveDoc& doc, const CViewProjection& projection, ResizeHandle handle);

    // Follows the mouse. False, changing nothing, while the box stays.
    bool Step(ScreenPoint mouse, bool keepProportions);
    // Ends the drag as one step, or none when the box came back to the start.
    void Commit();
    // Takes the whole drag back.
    void Cancel();

    const IntBox& GetBox() const { return m_box; }

private:
    BrushTransform TransformTo(const IntPoint& snapped, bool keepProportions) const;

    CTolveDoc& m_doc;
    const CViewProjection& m_projection;
    ResizeHandle m_handle;
    IntBox m_start;
    IntBox m_box;
    std::vector<std::pair<CMapBrush*, CMapBrush>> m_brushes; // as they were at the press
    CMapTransaction m_transaction;
};
