#include "app/LimitCommands.h"

#include "view/PlaneComponents.h"
#include "widgets/CTolveView.h"

namespace {

void SetFromCursor(const CommandContext& context, IntPoint CTolveDoc::*point) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    CopyPlaneComponents(doc.*point, view.m_cursor, view.m_projection.m_viewMode);
    doc.UpdateAllViews(CMapNotice::Repaint());
}

} // namespace

void SetUpperLimitFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CTolveDoc::m_upperLimit);
}

void SetLowerLimitFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CTolveDoc::m_lowerLimit);
}

void SetInsertionPointFromCursor(const CommandContext& context) {
    SetFromCursor(context, &CTolveDoc::m_insertionPoint);
}
