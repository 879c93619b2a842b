#include "view/ResizeHandles.h"

#include "map/ObjectBounds.h"

namespace {

int32_t SideOf(const IntBox& box, int axis, int side) {
    const int64_t low = box.min.Component(axis), high = box.max.Component(axis);
    return static_cast<int32_t>(side < 0 ? low : side > 0 ? high : (low + high) / 2);
}

void SetComponent(IntPoint& point, int axis, int32_t value) {
    (axis == 0 ? point.x : axis == 1 ? point.y : point.z) = value;
}

} // namespace

std::optional<IntBox> ResizeBoxOf(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    if (state.GetEditMode() != kBrushMode)
        return std::nullopt;
    std::optional<IntBox> box;
    for (const auto& [brush, parts] : state.GetSelectionSet().GetBrushes()) {
        if (const std::optional<IntBox> bounds = BoundsOf(*brush)) {
            Grow(box, bounds->min);
            Grow(box, bounds->max);
        }
    }
    return box;
}

std::vector<ResizeHandle> AllResizeHandles() {
    return {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}};
}

ScreenRect ResizeHandleRect(const CViewProjection& projection, const IntBox& box,
                            const ResizeHandle& handle) {
    const int plane = projection.m_viewMode;
    IntPoint at = box.min;
    SetComponent(at, HorizontalAxisOf(plane), SideOf(box, HorizontalAxisOf(plane), handle.h));
    SetComponent(at, VerticalAxisOf(plane), SideOf(box, VerticalAxisOf(plane), handle.v));
    const ScreenPoint s = projection.WorldToScreen(at);
    return {s.x - kResizeHandleRadius, s.y - kResizeHandleRadius, s.x + kResizeHandleRadius,
            s.y + kResizeHandleRadius};
}

std::optional<ResizeHandle> FindResizeHandle(const std::optional<IntBox>& box,
                                             const CViewProjection& projection, ScreenPoint mouse) {
    if (!box)
        return std::nullopt;
    for (const ResizeHandle& handle : AllResizeHandles()) {
        const ScreenRect r = ResizeHandleRect(projection, *box, handle);
        if (mouse.x >= r.left && mouse.x <= r.right && mouse.y >= r.top && mouse.y <= r.bottom)
            return handle;
    }
    return std::nullopt;
}
