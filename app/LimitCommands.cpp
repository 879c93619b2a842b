#include "app/LimitCommands.h"

#include "view/PlaneComponents.h"
#include "widgets/CTolveView.h"

namespace {

using PointGetter = const IntPoint& (CEditorState::*)() const;
using PointSetter = void (CEditorState::*)(const IntPoint&);

// Only the components of the view's plane follow the cursor; the depth stays.
void SetFromCursor(const CommandContext& context, PointGetter get, PointSetter set) {
    CTolveView& view = *context.view;
    CEditorState& state = view.GetDocument().GetEditorState();
    IntPoint point = (state.*get)();
    CopyPlaneComponents(point, view.m_cursor, view.m_projection.m_viewMode);
    (state.*set)(point);
}

} // namespace

void SetUpperLimitFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CEditorState::GetUpperLimit, &CEditorState::SetUpperLimit);
}

void SetLowerLimitFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CEditorState::GetLowerLimit, &CEditorState::SetLowerLimit);
}

void SetInsertionPointFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CEditorState::GetInsertionPoint, &CEditorState::SetInsertionPoint);
}

void ClearLimits(const CommandContext& context) {
    context.view->GetDocument().GetEditorState().ClearLimits();
}

bool HasLimits(const CommandContext& context) {
    return context.view->GetDocument().GetEditorState().HasLimits();
}
