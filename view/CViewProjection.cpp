#include "view/CViewProjection.h"

#include <algorithm>

// Wrap-around where values get out of hand instead of undefined behaviour: the
// origins of a view scrolled or zoomed without end stay usable numbers.
namespace {

int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t Sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

int32_t Mul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

} // namespace

int32_t SnapValue(int32_t a, int32_t step) {
    if (step == 0)
        return a;
    // floor((a + step / 2) / step) * step, in 64 bits and with the exact half,
    // so that negative values round the same way as positive ones and odd steps
    // go to the nearest multiple.
    const int64_t b = step < 0 ? -int64_t{step} : int64_t{step};
    const int64_t twice = 2 * int64_t{a} + b;
    int64_t q = twice / (2 * b);
    if (twice % (2 * b) < 0)
        --q;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(q * b)));
}

int32_t CViewProjection::Depth(const IntPoint& p) const {
    switch (m_viewMode) {
    case kPlaneXY:
        return p.z;
    case kPlaneXZ:
        return p.y;
    default:
        return p.x;
    }
}

CScreenMapper::CScreenMapper(const CViewProjection& p) : m_threeD(p.m_threeD), m_zoom(p.m_zoom) {
    const uint32_t f = p.m_flipped ? 0xFFFFFFFFu : 1u;
    const uint32_t minusF = 0u - f;
    switch (p.m_viewMode) {
    case kPlaneXY: // sx = f x - f d - originX, sy = originY - y + f d
        m_plane = kPlaneXY;
        m_hSign = f, m_dxSign = minusF, m_dySign = f;
        m_cx = 0u - static_cast<uint32_t>(p.m_originX), m_cy = static_cast<uint32_t>(p.m_originY);
        break;
    case kPlaneXZ: // sx = f x + f d - originX, sy = originZ - z - f d
        m_plane = kPlaneXZ;
        m_hSign = f, m_dxSign = f, m_dySign = minusF;
        m_cx = 0u - static_cast<uint32_t>(p.m_originX), m_cy = static_cast<uint32_t>(p.m_originZ);
        break;
    case kPlaneYZ: // sx = originY - f y + f d, sy = originZ - z - f d
        m_plane = kPlaneYZ;
        m_hSign = minusF, m_dxSign = f, m_dySign = minusF;
        m_cx = static_cast<uint32_t>(p.m_originY), m_cy = static_cast<uint32_t>(p.m_originZ);
        break;
    default:
        break;
    }
    if (m_zoom > 0 && (m_zoom & (m_zoom - 1)) == 0) {
        m_shift = __builtin_ctz(static_cast<uint32_t>(m_zoom));
        m_mask = m_zoom - 1;
    } else {
        m_shift = -1;
    }
    if (p.m_magnify > 1 && (p.m_magnify & (p.m_magnify - 1)) == 0)
        m_magnifyShift = __builtin_ctz(static_cast<uint32_t>(p.m_magnify));
}

ScreenPoint CViewProjection::WorldToScreen(int32_t x, int32_t y, int32_t z) const {
    return CScreenMapper(*this).Map(x, y, z);
}

IntPoint CViewProjection::ScreenToWorld(int32_t sx, int32_t sy,
                                        const IntPoint& insertionPoint) const {
    const int32_t ux = UnitsOf(sx), uy = UnitsOf(sy);
    IntPoint p = insertionPoint;
    switch (m_viewMode) {
    case kPlaneXY:
        p.x = Add(ux, m_originX);
        p.y = Sub(m_originY, uy);
        if (m_flipped)
            p.x = Sub(0, p.x);
        break;
    case kPlaneXZ:
        p.x = Add(ux, m_originX);
        p.z = Sub(m_originZ, uy);
        if (m_flipped)
            p.x = Sub(0, p.x);
        break;
    case kPlaneYZ:
        p.y = Sub(m_originY, ux);
        p.z = Sub(m_originZ, uy);
        if (m_flipped)
            p.y = Sub(0, p.y);
        break;
    default:
        break;
    }
    return p;
}

IntPoint CViewProjection::ScreenToWorldAtDepth(int32_t sx, int32_t sy, int32_t h,
                                               const IntPoint& insertionPoint) const {
    IntPoint p = ScreenToWorld(sx, sy, insertionPoint);
    const int32_t toward = m_flipped ? Sub(0, h) : h;
    switch (m_viewMode) {
    case kPlaneXY:
        p.z = Add(insertionPoint.z, toward);
        break;
    case kPlaneXZ:
        p.y = Sub(insertionPoint.y, toward);
        break;
    case kPlaneYZ:
        p.x = Sub(insertionPoint.x, toward);
        break;
    default:
        break;
    }
    return p;
}

void CViewProjection::ScrollVertical(int32_t amount) {
    if (m_viewMode == kPlaneXY)
        m_originY = Add(m_originY, amount);
    else
        m_originZ = Add(m_originZ, amount);
}

void CViewProjection::ScrollHorizontal(int32_t amount) {
    if (m_viewMode == kPlaneYZ)
        m_originY = Sub(m_originY, amount);
    else
        m_originX = Add(m_originX, amount);
}

int32_t CViewProjection::UnitsOf(int32_t pixels) const {
    if (m_magnify <= 1)
        return Mul(m_zoom, pixels);
    // The nearest unit, halves toward the larger: floor((2 p + m) / 2 m).
    const int64_t m = m_magnify;
    const int64_t twice = 2 * int64_t{pixels} + m;
    int64_t q = twice / (2 * m);
    if (twice % (2 * m) < 0)
        --q;
    return static_cast<int32_t>(q);
}

int64_t CViewProjection::PixelsOf(int64_t units) const {
    if (m_magnify > 1)
        return units * m_magnify;
    return units / std::max(m_zoom, 1);
}

int32_t CViewProjection::MarkerRadius(int32_t size) const {
    return m_magnify > 1 ? size : size / std::max(m_zoom, 1);
}

std::string CViewProjection::ScaleText() const {
    if (m_magnify > 1)
        return std::to_string(m_magnify) + ":1";
    return "1:" + std::to_string(m_zoom);
}

bool CViewProjection::ShowsTheSameAs(const CViewProjection& o) const {
    return m_threeD == o.m_threeD && m_flipped == o.m_flipped && m_viewMode == o.m_viewMode &&
           m_originX == o.m_originX && m_originY == o.m_originY && m_originZ == o.m_originZ &&
           m_zoom == o.m_zoom && m_magnify == o.m_magnify;
}

// One 8-pixel step, at least a unit.
int32_t CViewProjection::StepUnits() const {
    if (m_magnify > 1)
        return std::max(1, 8 / m_magnify);
    return Mul(8, m_zoom);
}

void CViewProjection::ScrollUp() {
    ScrollVertical(StepUnits());
}
void CViewProjection::ScrollDown() {
    ScrollVertical(Sub(0, StepUnits()));
}
void CViewProjection::ScrollRight() {
    ScrollHorizontal(StepUnits());
}
void CViewProjection::ScrollLeft() {
    ScrollHorizontal(Sub(0, StepUnits()));
}

// Zoomed out, the keys move all three origins by half the client area, so
// that a change of plane later keeps to the same region; magnified, only the
// plane's two move, about the centre.
bool CViewProjection::ZoomIn(int32_t width, int32_t height) {
    if (m_zoom <= 1)
        return ZoomInAt({width / 2, height / 2});
    m_zoom /= 2;
    const int32_t s = m_zoom;
    m_originX = Add(m_originX, Mul(width / 2, s));
    m_originY = Sub(m_originY, Mul(m_viewMode == kPlaneYZ ? width / 2 : height / 2, s));
    m_originZ = Sub(m_originZ, Mul(height / 2, s));
    return true;
}

void CViewProjection::ZoomOut(int32_t width, int32_t height) {
    if (m_magnify > 1) {
        ZoomOutAt({width / 2, height / 2});
        return;
    }
    const int32_t s = m_zoom;
    m_originX = Sub(m_originX, Mul(width / 2, s));
    m_originY = Add(m_originY, Mul(m_viewMode == kPlaneYZ ? width / 2 : height / 2, s));
    m_originZ = Add(m_originZ, Mul(height / 2, s));
    m_zoom = Mul(m_zoom, 2);
    if (m_zoom < 1)
        m_zoom = 1;
}

// The world point under the anchor is origin + UnitsOf(pixel) along each
// screen axis (minus across YZ and downward); it stays when the origins take
// up the change of scale.
void CViewProjection::RescaleAt(int32_t zoom, int32_t magnify, ScreenPoint anchor) {
    const int32_t oldX = UnitsOf(anchor.x), oldY = UnitsOf(anchor.y);
    m_zoom = zoom;
    m_magnify = magnify;
    m_panRest = {};
    ScrollHorizontal(Sub(oldX, UnitsOf(anchor.x)));
    ScrollVertical(Sub(UnitsOf(anchor.y), oldY));
}

bool CViewProjection::ZoomInAt(ScreenPoint anchor) {
    if (m_zoom > 1)
        RescaleAt(m_zoom / 2, 1, anchor);
    else if (m_magnify < kMostMagnified)
        RescaleAt(1, std::max(m_magnify, 1) * 2, anchor);
    else
        return false;
    return true;
}

void CViewProjection::ZoomOutAt(ScreenPoint anchor) {
    if (m_magnify > 1)
        RescaleAt(1, m_magnify / 2, anchor);
    else
        RescaleAt(std::max(Mul(m_zoom, 2), 1), 1, anchor);
}

bool CViewProjection::ActualSizeAt(ScreenPoint anchor) {
    if (m_zoom == 1 && m_magnify <= 1)
        return false;
    RescaleAt(1, 1, anchor);
    return true;
}

void CViewProjection::Pan(int32_t dx, int32_t dy) {
    if (m_magnify <= 1) {
        ScrollHorizontal(Sub(0, Mul(m_zoom, dx)));
        ScrollVertical(Mul(m_zoom, dy));
        return;
    }
    const int64_t x = int64_t{m_panRest.x} + dx, y = int64_t{m_panRest.y} + dy;
    const int64_t ux = x / m_magnify, uy = y / m_magnify;
    m_panRest = {static_cast<int32_t>(x - ux * m_magnify),
                 static_cast<int32_t>(y - uy * m_magnify)};
    ScrollHorizontal(Sub(0, static_cast<int32_t>(ux)));
    ScrollVertical(static_cast<int32_t>(uy));
}
