#pragma once

#include "map/IntPoint.h"

#include <cstdint>
#include <string>

enum ViewPlane : int32_t { kPlaneXY = 0, kPlaneXZ = 1, kPlaneYZ = 2 };

// The world axes (0, 1, 2 for x, y, z) a view of `plane` shows across and
// down the screen, and the one it looks along.
constexpr int HorizontalAxisOf(int32_t plane) {
    return plane == kPlaneYZ ? 1 : 0;
}
constexpr int VerticalAxisOf(int32_t plane) {
    return plane == kPlaneXY ? 1 : 2;
}
constexpr int DepthAxisOf(int32_t plane) {
    return plane == kPlaneXY ? 2 : plane == kPlaneXZ ? 1 : 0;
}
// XY, then XZ, then YZ, then XY again.
constexpr ViewPlane NextPlaneAfter(int32_t plane) {
    return plane == kPlaneXY ? kPlaneXZ : plane == kPlaneXZ ? kPlaneYZ : kPlaneXY;
}

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// `a` moved to the nearest multiple of `step` (1 or more), halves upward, on
// both sides of zero alike: with 8, -5 goes to -8 and -4 to 0.
int32_t SnapValue(int32_t a, int32_t step);

// Every component of `p` snapped by SnapValue.
inline IntPoint SnapPoint(const IntPoint& p, int32_t step) {
    return IntPoint(SnapValue(p.x, step), SnapValue(p.y, step), SnapValue(p.z, step));
}

// World to screen for one projection as it stands: the plane, flags, origins
// and zoom folded into a few coefficients. All arithmetic wraps at 32 bits;
// division truncates toward zero. Visit hands a caller the mapping compiled
// for this plane and mode, so loops over many points pay for no branching.
class CScreenMapper {
public:
    explicit CScreenMapper(const class CViewProjection& projection);

    ScreenPoint Map(const IntPoint& p) const;
    ScreenPoint Map(int32_t x, int32_t y, int32_t z) const { return Map(IntPoint(x, y, z)); }

    // Calls visit(map) with map(const IntPoint&) -> ScreenPoint.
    template <class Visitor> decltype(auto) Visit(Visitor&& visit) const {
        switch (m_plane * 2 + (m_threeD ? 1 : 0)) {
        case 0:
            return visit([this](const IntPoint& p) { return MapIn<0, 1, 2, false>(p); });
        case 1:
            return visit([this](const IntPoint& p) { return MapIn<0, 1, 2, true>(p); });
        case 2:
            return visit([this](const IntPoint& p) { return MapIn<0, 2, 1, false>(p); });
        case 3:
            return visit([this](const IntPoint& p) { return MapIn<0, 2, 1, true>(p); });
        case 4:
            return visit([this](const IntPoint& p) { return MapIn<1, 2, 0, false>(p); });
        case 5:
            return visit([this](const IntPoint& p) { return MapIn<1, 2, 0, true>(p); });
        default: // no such plane: everything at the corner
            return visit([](const IntPoint&) { return ScreenPoint{0, 0}; });
        }
    }

private:
    // sx = hSign h + dxSign d + cx, sy = cy - v + dySign d, with h, v and the
    // depth d / 2 taken from the axes of the plane.
    template <int H, int V, int D, bool ThreeD> ScreenPoint MapIn(const IntPoint& p) const {
        const uint32_t h = static_cast<uint32_t>(p.Component(H));
        const uint32_t v = static_cast<uint32_t>(p.Component(V));
        const uint32_t d = ThreeD ? static_cast<uint32_t>(p.Component(D) / 2) : 0u;
        const uint32_t sx = m_hSign * h + m_dxSign * d + m_cx;
        const uint32_t sy = m_cy - v + m_dySign * d;
        return {Divide(static_cast<int32_t>(sx)), Divide(static_cast<int32_t>(sy))};
    }

    int32_t Divide(int32_t a) const {
        if (m_magnifyShift > 0) // magnified: every world unit is a whole number of pixels
            return static_cast<int32_t>(static_cast<uint32_t>(a) << m_magnifyShift);
        if (m_shift >= 0) {
            const int32_t bias = (a >> 31) & m_mask; // negatives round toward zero
            return static_cast<int32_t>((int64_t{a} + bias) >> m_shift);
        }
        if (m_zoom == 0) // never set so; better a picture than a crash
            return a;
        return m_zoom == -1 ? static_cast<int32_t>(0u - static_cast<uint32_t>(a)) : a / m_zoom;
    }

    int m_plane = -1; // 0 XY, 1 XZ, 2 YZ
    bool m_threeD = false;
    uint32_t m_hSign = 1, m_dxSign = 0, m_dySign = 0, m_cx = 0, m_cy = 0;
    int32_t m_zoom = 1;
    int m_shift = 0; // zooms are powers of two: division by shifting
    int32_t m_mask = 0;
    int m_magnifyShift = 0;
};

inline ScreenPoint CScreenMapper::Map(const IntPoint& p) const {
    return Visit([&](auto map) -> ScreenPoint { return map(p); });
}

// How one view maps world coordinates to its client pixels: the plane, the
// oblique "3D" shift, the flipped horizontal axis, the origins and the scale.
// The scale is a power of two either way: m_zoom world units per pixel, or,
// magnified past one to one, m_magnify pixels per world unit (m_zoom is then
// 1). A world point always lands on a whole pixel; a pixel of a magnified view
// reads as the nearest world point. All arithmetic is 32-bit and truncates
// toward zero.
class CViewProjection {
public:
    static constexpr int32_t kMostMagnified = 16;

    ScreenPoint WorldToScreen(int32_t x, int32_t y, int32_t z) const;
    ScreenPoint WorldToScreen(const IntPoint& p) const { return WorldToScreen(p.x, p.y, p.z); }
    // The depth coordinate comes from `insertionPoint`.
    IntPoint ScreenToWorld(int32_t sx, int32_t sy, const IntPoint& insertionPoint) const;
    // As ScreenToWorld, then moved `h` world units toward the viewer.
    IntPoint ScreenToWorldAtDepth(int32_t sx, int32_t sy, int32_t h,
                                  const IntPoint& insertionPoint) const;

    // The coordinate of `p` along the view's depth axis.
    int32_t Depth(const IntPoint& p) const;

    // One 8-pixel step; "up" and "right" move the visible region that way.
    void ScrollUp();
    void ScrollDown();
    void ScrollRight();
    void ScrollLeft();
    // Keep the centre of a width x height client area in place. ZoomIn returns
    // false (and changes nothing) at the finest zoom.
    bool ZoomIn(int32_t width, int32_t height);
    void ZoomOut(int32_t width, int32_t height);
    // The same steps keeping the world point under `anchor` (a client pixel)
    // where it is. ZoomInAt returns false (and changes nothing) at the most
    // magnified scale.
    bool ZoomInAt(ScreenPoint anchor);
    void ZoomOutAt(ScreenPoint anchor);
    // One world unit per pixel, keeping the world point under `anchor`.
    // Returns false (and changes nothing) when the view is already so.
    bool ActualSizeAt(ScreenPoint anchor);
    // Moves the picture with the mouse: `dx`, `dy` pixels right and down. A
    // magnified view moves by whole world units and keeps the rest of the
    // motion for the next call, so a slow drag still pans.
    void Pan(int32_t dx, int32_t dy);

    bool IsMagnified() const { return m_magnify > 1; }
    // World units spanned by `pixels` along a screen axis; magnified, rounded
    // to the nearest unit.
    int32_t UnitsOf(int32_t pixels) const;
    // Pixels spanned by `units` world units (truncated toward zero).
    int64_t PixelsOf(int64_t units) const;
    // The radius in pixels of a marker `size` pixels across at one to one: it
    // shrinks as the view zooms out and keeps its size when magnified.
    int32_t MarkerRadius(int32_t size) const;
    // "1:8" for eight units per pixel, "4:1" for four pixels per unit.
    std::string ScaleText() const;
    // The same picture: plane, flags, origins and scale.
    bool ShowsTheSameAs(const CViewProjection& other) const;

    bool m_threeD = false;
    bool m_flipped = false;
    int32_t m_viewMode = kPlaneXY;
    int32_t m_originX = -100;
    int32_t m_originY = 100;
    int32_t m_originZ = 100;
    int32_t m_zoom = 1;
    int32_t m_magnify = 1;

private:
    void ScrollVertical(int32_t amount);
    void ScrollHorizontal(int32_t amount);
    // Sets the scale, moving the origins so that the world point under
    // `anchor` stays there.
    void RescaleAt(int32_t zoom, int32_t magnify, ScreenPoint anchor);
    int32_t StepUnits() const;

    ScreenPoint m_panRest; // pixels of a magnified pan not yet a whole unit
};
