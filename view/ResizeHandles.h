#pragma once

#include "map/CTolveDoc.h"
#include "map/IntBox.h"
#include "view/CViewProjection.h"
#include "view/ScreenRect.h"

#include <optional>
#include <vector>

// The small squares on the box around the selected brushes that resize them
// in a flat view: one at each corner of the box as the view shows it and one
// at the middle of each of its edges.

// Which handle: along the view's horizontal and vertical world axes, -1 the
// box's low side, 1 its high side, 0 its middle; never both 0.
struct ResizeHandle {
    int h = 0;
    int v = 0;

    bool IsCorner() const { return h != 0 && v != 0; }
    friend bool operator==(const ResizeHandle&, const ResizeHandle&) = default;
};

// Half the side of a handle's square, in pixels.
inline constexpr int32_t kResizeHandleRadius = 4;

// The box the handles sit on: around the selected brushes in brush mode;
// none otherwise.
std::optional<IntBox> ResizeBoxOf(const CTolveDoc& doc);

// The eight handles of a box, corners first.
std::vector<ResizeHandle> AllResizeHandles();

// Where a handle of `box` is drawn in the view.
ScreenRect ResizeHandleRect(const CViewProjection& projection, const IntBox& box,
                            const ResizeHandle& handle);

// The handle of `box` (see ResizeBoxOf) under the mouse, corners before
// edges; none when the mouse is on none or there is no box.
std::optional<ResizeHandle> FindResizeHandle(const std::optional<IntBox>& box,
                                             const CViewProjection& projection, ScreenPoint mouse);
