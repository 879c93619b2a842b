#pragma once

#include "map/IntBox.h"
#include "view/CViewProjection.h"
#include "view/ScreenRect.h"

// How a view brings its picture up to date after a change confined to a box
// of the world.
struct AreaRepaint {
    enum class How : uint8_t {
        kNothing, // the change lies outside the client area
        kPart,    // clear and redraw `rect` alone
        kWhole,   // a full repaint is as cheap, or the projection is unusual
    };
    How how = How::kWhole;
    ScreenRect rect;
};

// The client pixels of a width x height view that anything drawn in `box`
// can reach: its projection grown by `margin`, the most the painter draws
// beyond an object's corners. Boxes or views so far out that the 32-bit
// projection could wrap, and rectangles over half the client area, are left
// to a full repaint.
AreaRepaint PlanAreaRepaint(const IntBox& box, const CViewProjection& projection, int32_t margin,
                            int32_t width, int32_t height);
