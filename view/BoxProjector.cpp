#include "view/BoxProjector.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Within this every term of the projection, and their sum, stays well inside
// 32 bits; a magnified view multiplies the sum, so its coordinates must stay
// that much smaller.
constexpr int64_t kSafeCoordinate = int64_t{1} << 28;

} // namespace

CBoxProjector::CBoxProjector(const CViewProjection& p)
    : m_mapper(p), m_threeD(p.m_threeD),
      m_limit(kSafeCoordinate / std::clamp(p.m_magnify, 1, CViewProjection::kMostMagnified)) {
    m_safe = p.m_magnify >= 1 && p.m_magnify <= CViewProjection::kMostMagnified && p.m_zoom >= 1 &&
             p.m_zoom < kSafeCoordinate && Safe(p.m_originX) && Safe(p.m_originY) &&
             Safe(p.m_originZ);
}

int64_t CBoxProjector::LeastDistance(const std::optional<ScreenRect>& rect, ScreenPoint mouse) {
    if (!rect)
        return 0;
    const int64_t dx =
        std::max<int64_t>({int64_t{rect->left} - mouse.x, 0, int64_t{mouse.x} - rect->right});
    const int64_t dy =
        std::max<int64_t>({int64_t{rect->top} - mouse.y, 0, int64_t{mouse.y} - rect->bottom});
    return dx + dy;
}
