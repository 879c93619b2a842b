#pragma once

#include "map/IntPoint.h"

#include <cstdint>

enum ViewPlane : int32_t { kPlaneXY = 0, kPlaneXZ = 1, kPlaneYZ = 2 };

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// `a` moved to a multiple of `step` (1 or more): non-negative values go to the
// nearest multiple, halves upward; negative values go toward zero.
int32_t SnapValue(int32_t a, int32_t step);

// World to screen for one projection as it stands: the plane, flags, origins
// and zoom folded into a few coefficients, so that mapping many points costs
// no branching. All arithmetic wraps at 32 bits; division truncates toward zero.
class CScreenMapper {
public:
    explicit CScreenMapper(const class CViewProjection& projection);

    ScreenPoint Map(int32_t x, int32_t y, int32_t z) const {
        if (!m_valid)
            return {0, 0};
        const int32_t c[3] = {x, y, z};
        const uint32_t d = m_threeD ? static_cast<uint32_t>(c[m_depthAxis] / 2) : 0u;
        const uint32_t sx = m_hSign * static_cast<uint32_t>(c[m_hAxis]) + m_dxSign * d + m_cx;
        const uint32_t sy = m_cy - static_cast<uint32_t>(c[m_vAxis]) + m_dySign * d;
        return {Divide(static_cast<int32_t>(sx)), Divide(static_cast<int32_t>(sy))};
    }
    ScreenPoint Map(const IntPoint& p) const { return Map(p.x, p.y, p.z); }

private:
    int32_t Divide(int32_t a) const {
        if (m_shift >= 0) {
            const int32_t bias = (a >> 31) & m_mask; // negatives round toward zero
            return static_cast<int32_t>((int64_t{a} + bias) >> m_shift);
        }
        if (m_zoom == 0) // never set so; better a picture than a crash
            return a;
        return m_zoom == -1 ? static_cast<int32_t>(0u - static_cast<uint32_t>(a)) : a / m_zoom;
    }

    bool m_valid = true;
    bool m_threeD = false;
    int m_hAxis = 0, m_vAxis = 1, m_depthAxis = 2;
    uint32_t m_hSign = 1, m_dxSign = 0, m_dySign = 0, m_cx = 0, m_cy = 0;
    int32_t m_zoom = 1;
    int m_shift = 0; // zooms are powers of two: division by shifting
    int32_t m_mask = 0;
};

// How one view maps world coordinates to its client pixels: the plane, the
// oblique "3D" shift, the flipped horizontal axis, the origins and the zoom
// (world units per pixel). All arithmetic is 32-bit and truncates toward zero.
class CViewProjection {
public:
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

    bool m_threeD = false;
    bool m_flipped = false;
    int32_t m_viewMode = kPlaneXY;
    int32_t m_originX = -100;
    int32_t m_originY = 100;
    int32_t m_originZ = 100;
    int32_t m_zoom = 1;

private:
    void ScrollVertical(int32_t amount);
    void ScrollHorizontal(int32_t amount);
};
