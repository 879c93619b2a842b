#include "view/ViewNavigation.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The least room around the map on the scroll bars, in world units, besides
// the oblique shift of 3D mode.
constexpr int64_t kScrollMargin = 256;
constexpr int32_t kLargestFitZoom = 1 << 20;
constexpr int64_t kLeastFramedSpan = 64;

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Screen-order coordinates: world values turned so that they grow to the
// right and downward. Across the screen YZ shows y to the left, and flipping
// reverses the axis once more.
int64_t AcrossSign(const CViewProjection& p) {
    const int64_t sign = p.m_viewMode == kPlaneYZ ? -1 : 1;
    return p.m_flipped ? -sign : sign;
}

// The margin is at least a page, so that the map can be scrolled to either
// edge of the view and a framed map can move both ways.
ScrollAxis MakeAxis(int64_t lo, int64_t hi, int64_t margin, int64_t value, int64_t page,
                    int64_t step) {
    margin = std::max(margin, page);
    ScrollAxis axis;
    axis.value = Clamp32(value);
    axis.minimum = Clamp32(std::min(lo - margin, value));
    axis.maximum = Clamp32(std::max(hi + margin - page, value));
    axis.page = Clamp32(page);
    axis.step = Clamp32(step);
    return axis;
}

} // namespace

std::optional<MapBounds> FindMapBounds(const CTolveDoc& doc) {
    std::optional<MapBounds> bounds;
    auto add = [&](const IntPoint& p) {
        if (!bounds) {
            bounds = MapBounds{p, p};
            return;
        }
        IntPoint& lo = bounds->lo;
        IntPoint& hi = bounds->hi;
        lo = IntPoint(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi = IntPoint(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    };
    auto addBrushes = [&](const BrushList& brushes) {
        for (const auto& brush : brushes)
            for (int v = 0; v < brush->m_numVertices; ++v)
                add(brush->m_vertices[v]);
    };
    addBrushes(doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities())
        addBrushes(entity->m_brushes);
    for (const auto& entity : doc.GetPointEntities())
        add(entity->m_origin);
    return bounds;
}

std::optional<MapBounds> FindMapExtent(const CTolveDoc& doc) {
    doc.GetBrushBoxes(); // brings the runs up to date
    std::optional<IntBox> box;
    for (const std::optional<IntBox>& run : doc.GetBrushRunBoxes())
        Grow(box, run);
    for (const auto& entity : doc.GetPointEntities())
        Grow(box, entity->m_origin);
    if (!box)
        return std::nullopt;
    return MapBounds{box->min, box->max};
}

IntPoint BoundsCentre(const MapBounds& b) {
    return IntPoint(static_cast<int32_t>((int64_t{b.lo.x} + b.hi.x) / 2),
                    static_cast<int32_t>((int64_t{b.lo.y} + b.hi.y) / 2),
                    static_cast<int32_t>((int64_t{b.lo.z} + b.hi.z) / 2));
}

FitScale FitZoom(const MapBounds& bounds, int32_t plane, int32_t width, int32_t height) {
    const int h = HorizontalAxisOf(plane), v = VerticalAxisOf(plane);
    // Nothing is framed closer than a player's width, so that a lone entity
    // or a sliver is not blown up to the finest scale.
    const int64_t spanH = std::max<int64_t>(
        int64_t{bounds.hi.Component(h)} - bounds.lo.Component(h), kLeastFramedSpan);
    const int64_t spanV = std::max<int64_t>(
        int64_t{bounds.hi.Component(v)} - bounds.lo.Component(v), kLeastFramedSpan);
    auto fits = [&](int64_t units, int64_t pixels) {
        return spanH * 11 / 10 * pixels <= units * width &&
               spanV * 11 / 10 * pixels <= units * height;
    };
    FitScale scale;
    while (scale.zoom < kLargestFitZoom && !fits(scale.zoom, 1))
        scale.zoom *= 2;
    if (scale.zoom == 1)
        while (scale.magnify < CViewProjection::kMostMagnified && fits(1, scale.magnify * 2))
            scale.magnify *= 2;
    return scale;
}

void CentreView(CViewProjection& p, const IntPoint& centre, int32_t width, int32_t height) {
    const int64_t f = p.m_flipped ? -1 : 1;
    const int64_t halfW = p.UnitsOf(width / 2), halfH = p.UnitsOf(height / 2);
    p.m_originX = Clamp32(f * centre.x - halfW);
    p.m_originY = Clamp32(p.m_viewMode == kPlaneYZ ? f * centre.y + halfW : centre.y + halfH);
    p.m_originZ = Clamp32(int64_t{centre.z} + halfH);
}

void FrameBounds(const MapBounds& bounds, CViewProjection& projection, int32_t width,
                 int32_t height) {
    const FitScale scale = FitZoom(bounds, projection.m_viewMode, width, height);
    projection.m_zoom = scale.zoom;
    projection.m_magnify = scale.magnify;
    CentreView(projection, BoundsCentre(bounds), width, height);
}

void FrameMap(const CTolveDoc& doc, CViewProjection& projection, int32_t width, int32_t height) {
    const std::optional<MapBounds> bounds = FindMapBounds(doc);
    if (!bounds) {
        projection.m_zoom = 1;
        projection.m_magnify = 1;
        CentreView(projection, IntPoint(), width, height);
        return;
    }
    FrameBounds(*bounds, projection, width, height);
}

ScrollAxes ComputeScrollAxes(const CViewProjection& p, const std::optional<MapBounds>& bounds,
                             int32_t width, int32_t height) {
    const MapBounds box = bounds.value_or(MapBounds{});
    const int32_t plane = p.m_viewMode;
    int64_t margin = kScrollMargin;
    if (p.m_threeD) {
        const int d = DepthAxisOf(plane);
        margin += std::max(std::abs(int64_t{box.hi.Component(d)}),
                           std::abs(int64_t{box.lo.Component(d)})) /
                  2;
    }
    // Across: the map's extent in screen order, and the left edge's coordinate.
    const int64_t sign = AcrossSign(p);
    const int h = HorizontalAxisOf(plane);
    const int64_t acrossA = sign * box.lo.Component(h), acrossB = sign * box.hi.Component(h);
    const int64_t left = plane == kPlaneYZ ? -int64_t{p.m_originY} : p.m_originX;
    // Down: the vertical world axis grows upward, so screen order is its negation.
    const int v = VerticalAxisOf(plane);
    const int64_t top = plane == kPlaneXY ? -int64_t{p.m_originY} : -int64_t{p.m_originZ};
    ScrollAxes axes;
    axes.horizontal = MakeAxis(std::min(acrossA, acrossB), std::max(acrossA, acrossB), margin, left,
                               p.UnitsOf(width), std::max(p.UnitsOf(8), 1));
    axes.vertical = MakeAxis(-int64_t{box.hi.Component(v)}, -int64_t{box.lo.Component(v)}, margin,
                             top, p.UnitsOf(height), std::max(p.UnitsOf(8), 1));
    return axes;
}

void SetHorizontalScroll(CViewProjection& p, int32_t value) {
    if (p.m_viewMode == kPlaneYZ)
        p.m_originY = Clamp32(-int64_t{value});
    else
        p.m_originX = value;
}

void SetVerticalScroll(CViewProjection& p, int32_t value) {
    if (p.m_viewMode == kPlaneXY)
        p.m_originY = Clamp32(-int64_t{value});
    else
        p.m_originZ = Clamp32(-int64_t{value});
}
