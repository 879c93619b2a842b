#include "view/AreaRepaint.h"

#include "view/BoxProjector.h"

#include <cstdlib>

AreaRepaint PlanAreaRepaint(const IntBox& box, const CViewProjection& projection, int32_t margin,
                            int32_t width, int32_t height) {
    using How = AreaRepaint::How;
    const std::optional<ScreenRect> projected = CBoxProjector(projection).Project(box);
    if (!projected || std::llabs(int64_t{margin}) >= (int64_t{1} << 28) || width <= 0 ||
        height <= 0)
        return {How::kWhole, {}};
    const ScreenRect client{0, 0, width - 1, height - 1};
    const ScreenRect rect = projected->Inflated(margin).Intersected(client);
    if (rect.IsEmpty())
        return {How::kNothing, {}};
    if (2 * rect.Area() > client.Area())
        return {How::kWhole, {}};
    return {How::kPart, rect};
}
