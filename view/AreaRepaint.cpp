#include "view/AreaRepaint.h"

#include <cstdlib>

namespace {

// Within this every term of the projection, and their sum, stays well inside
// 32 bits, so the mapping of the box's corners bounds that of every point in it.
// A magnified view multiplies the sum, so its world coordinates must stay
// that much smaller.
constexpr int64_t kSafeCoordinate = int64_t{1} << 28;

bool Safe(int64_t value, int64_t magnify = 1) {
    return std::llabs(value) < kSafeCoordinate / magnify;
}

bool SafePoint(const IntPoint& p, int64_t magnify) {
    return Safe(p.x, magnify) && Safe(p.y, magnify) && Safe(p.z, magnify);
}

bool SafeProjection(const CViewProjection& p) {
    if (p.m_magnify < 1 || p.m_magnify > CViewProjection::kMostMagnified || p.m_zoom < 1)
        return false;
    return Safe(p.m_originX, p.m_magnify) && Safe(p.m_originY, p.m_magnify) &&
           Safe(p.m_originZ, p.m_magnify) && Safe(p.m_zoom);
}

// Around the eight corners: the oblique 3D shift moves each by its depth.
ScreenRect ProjectBox(const IntBox& box, const CViewProjection& projection) {
    const CScreenMapper mapper(projection);
    ScreenRect rect;
    for (int corner = 0; corner < 8; ++corner) {
        const IntPoint p((corner & 1 ? box.max : box.min).x, (corner & 2 ? box.max : box.min).y,
                         (corner & 4 ? box.max : box.min).z);
        const ScreenPoint s = mapper.Map(p);
        rect = rect.United({s.x, s.y, s.x, s.y});
    }
    return rect;
}

} // namespace

AreaRepaint PlanAreaRepaint(const IntBox& box, const CViewProjection& projection, int32_t margin,
                            int32_t width, int32_t height) {
    using How = AreaRepaint::How;
    if (!SafeProjection(projection) || !SafePoint(box.min, projection.m_magnify) ||
        !SafePoint(box.max, projection.m_magnify) || !Safe(margin) || width <= 0 || height <= 0)
        return {How::kWhole, {}};
    const ScreenRect client{0, 0, width - 1, height - 1};
    const ScreenRect rect = ProjectBox(box, projection).Inflated(margin).Intersected(client);
    if (rect.IsEmpty())
        return {How::kNothing, {}};
    if (2 * rect.Area() > client.Area())
        return {How::kWhole, {}};
    return {How::kPart, rect};
}
