#pragma once

#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"

#include <optional>

// The box around everything a view draws: brush corners and entity origins.
struct MapBounds {
    IntPoint lo;
    IntPoint hi;
};

// Null for a map with nothing in it.
std::optional<MapBounds> FindMapBounds(const CTolveDoc& doc);
// What the scroll bars span, without a walk of every corner: the brush box
// index's runs (which only grow between rebuilds, so after an edit this may
// hold a little more than the map) and the entity origins.
std::optional<MapBounds> FindMapExtent(const CTolveDoc& doc);

// The middle of the bounds, rounded toward zero.
IntPoint BoundsCentre(const MapBounds& bounds);

// A view's scale, as CViewProjection holds it: `zoom` units per pixel, or
// `magnify` pixels per unit.
struct FitScale {
    int32_t zoom = 1;
    int32_t magnify = 1;
};

// The closest power-of-two scale at which the bounds, with a tenth to spare,
// fit a width x height client area in the plane: zoomed out as far as needed,
// or magnified as far as they allow (bounds under 64 units count as 64).
FitScale FitZoom(const MapBounds& bounds, int32_t plane, int32_t width, int32_t height);

// Puts `centre` in the middle of a width x height client area at the current
// zoom, in the current plane and flip.
void CentreView(CViewProjection& projection, const IntPoint& centre, int32_t width, int32_t height);

// Zooms until the bounds fit, with a tenth to spare, and centres them.
void FrameBounds(const MapBounds& bounds, CViewProjection& projection, int32_t width,
                 int32_t height);

// Zooms out until the whole map fits and centres it; an empty map is shown at
// zoom 1 around the world origin.
void FrameMap(const CTolveDoc& doc, CViewProjection& projection, int32_t width, int32_t height);

// One scroll bar in world units along the screen axis: `value` is the screen
// coordinate of the client area's left (or top) edge, which grows to the right
// (or downward) in every plane and flip.
struct ScrollAxis {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t page = 0; // the client area's extent
    int32_t step = 0; // one arrow-key step
    int32_t value = 0;
};

struct ScrollAxes {
    ScrollAxis horizontal;
    ScrollAxis vertical;
};

// The scroll bars of a view: they span the map's extent plus a margin, and
// always the region in view, so that scrolling past the map stays possible.
ScrollAxes ComputeScrollAxes(const CViewProjection& projection,
                             const std::optional<MapBounds>& bounds, int32_t width, int32_t height);

// Moves the view so that its left (top) edge is at `value`, as ComputeScrollAxes
// counts it.
void SetHorizontalScroll(CViewProjection& projection, int32_t value);
void SetVerticalScroll(CViewProjection& projection, int32_t value);
