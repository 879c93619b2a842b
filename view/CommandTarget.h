#pragma once

#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"
#include "map/PlaneTurn.h"
#include "view/CViewProjection.h"
#include "view/ScreenRect.h"

// The status text when a command or drag finds nothing it may act on.
inline constexpr const char* kNothingUnderPointer = "Nothing under the pointer in this view";

// Whether the hovered object of the mode is drawn in the view: some of it
// inside the client area of `width` x `height` pixels and inside the limits.
bool IsHoverShown(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                  int32_t height);

// What a command given in a view acts on: the selection set when it holds
// anything, else the hovered object when the view shows it, else nothing.
CSelectionSet CommandTarget(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                            int32_t height);
// What a drag from the hovered object moves: the whole set when the object is
// in it, else the object alone when the view shows it, else nothing.
CSelectionSet DragTarget(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                         int32_t height);

// Corners of a flat view: with every corner of the set come the corners of its
// brush that lie under it in the view (the same point of the view's plane),
// so that a drag moves whole edges and the faces stay flat. The 3D view,
// where no corners lie under each other, keeps the set as it is.
CSelectionSet WithStackedCorners(const CSelectionSet& corners, const CViewProjection& projection);

// The objects of the mode lying wholly inside `rect` (client pixels) and
// inside the limits of the view's depth.
CSelectionSet ObjectsInRectangle(const CTolveDoc& doc, const CViewProjection& projection,
                                 const ScreenRect& rect);
// Every object of the mode lying wholly inside the limits.
CSelectionSet ObjectsInsideLimits(const CTolveDoc& doc);

// The world step of `dx`, `dy` screen steps of `step` units (right and down
// positive) in the view's plane.
IntPoint ScreenStep(const CViewProjection& projection, int32_t dx, int32_t dy, int32_t step);

// The screen's quarter turns and mirrors, as the view shows its plane.
enum class ScreenTurn : uint8_t { kClockwise, kAnticlockwise, kFlipHorizontal, kFlipVertical };
PlaneTurn TurnInView(const CViewProjection& projection, ScreenTurn turn, const IntPoint& centre);
