#include "view/AreaRepaint.h"

#include <cstdlib>

namespace {

// Within this every term of the projection, and their sum, stays well inside
// 32 bits, so the mapping of the box's corners bounds that of every point in it.
constexpr int64_t kSafeCoordinate = int64_t{1} << 28;

bool Safe(int64_t value) {
    return std::llabs(value) < kSafeCoordinate;
}

bool SafePoint(const IntPoint& p) {
    return Safe(p.x) && Safe(p.y) && Safe(p.z);
}

bool SafeProjection(const CViewProjection& p) {
    return Safe(p.m_originX) && Safe(p.m_originY) && Safe(p.m_originZ) && p.m_zoom >= 1 &&
           Safe(p.m_zoom);
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
    if (!SafePoint(box.min) || !SafePoint(box.max) || !SafeProjection(projection) ||
        !Safe(margin) || width <= 0 || height <= 0)
        return {How::kWhole, {}};
    const ScreenRect client{0, 0, width - 1, height - 1};
    const ScreenRect rect = ProjectBox(box, projection).Inflated(margin).Intersected(client);
    if (rect.IsEmpty())
        return {How::kNothing, {}};
    if (2 * rect.Area() > client.Area())
        return {How::kWhole, {}};
    return {How::kPart, rect};
}
