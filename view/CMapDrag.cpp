#include "view/CMapDrag.h"

#include "framework/CStatusNotice.h"
#include "map/CMapEdits.h"
#include "map/FaceFlatness.h"
#include "map/SelectionSetEdits.h"

namespace {

// Moved corners may leave faces bent; the file will keep another shape for
// them than the one on screen, so say so while the drag goes on.
void ReportFlatness(const CTolveDoc& doc, const CSelectionSet& moved) {
    const EditMode mode = doc.GetEditorState().GetEditMode();
    if (mode != kCornerMode && mode != kFaceMode)
        return;
    int bent = 0;
    for (const auto& [brush, parts] : moved.GetBrushes())
        bent += CountNonFlatFaces(*brush);
    ShowStatusNotice(bent > 0 ? DescribeNonFlatFaces(bent) : std::string());
}

IntPoint Difference(const IntPoint& to, const IntPoint& from) {
    return {to.x - from.x, to.y - from.y, to.z - from.z};
}

IntPoint Sum(const IntPoint& a, const IntPoint& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

} // namespace

IntPoint SnappedWorldPoint(const CTolveDoc& doc, const CViewProjection& projection,
                           ScreenPoint mouse) {
    return SnapPoint(
        projection.ScreenToWorld(mouse.x, mouse.y, doc.GetEditorState().GetInsertionPoint()),
        doc.GetEditorState().GetSnap());
}

namespace {

const char* DragName(EditMode mode) {
    switch (mode) {
    case kBrushMode:
        return "Move Brush";
    case kEntityMode:
        return "Move Entity";
    default:
        return "Move Corners";
    }
}

} // namespace

CMapDrag::CMapDrag(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint press,
                   CSelectionSet objects)
    : CMapDrag(doc, SnappedWorldPoint(doc, projection, press), std::move(objects)) {
    m_projection = &projection;
}

CMapDrag::CMapDrag(CTolveDoc& doc, const IntPoint& press, CSelectionSet objects)
    : m_doc(doc), m_projection(nullptr), m_cursor(press), m_objects(std::move(objects)),
      m_transaction(doc, DragName(doc.GetEditorState().GetEditMode())) {}

bool CMapDrag::Step(ScreenPoint mouse) {
    return m_projection && StepTo(SnappedWorldPoint(m_doc, *m_projection, mouse));
}

bool CMapDrag::StepTo(const IntPoint& snapped) {
    if (!m_transaction.IsOpen())
        return false;
    IntPoint delta = Difference(snapped, m_cursor);
    if (delta == IntPoint())
        return false;
    m_cursor = Sum(m_cursor, delta);
    m_total = Sum(m_total, delta);
    MoveObjects(m_transaction.Edits(), m_objects, m_doc.GetEditorState().GetEditMode(), delta);
    ReportFlatness(m_doc, m_objects);
    return true;
}

void CMapDrag::Commit() {
    // Back where it began, the brush would still have forgotten the planes
    // it was read with: the file must not change for a drag that went nowhere.
    if (m_total == IntPoint())
        m_transaction.RollBack();
    else
        m_transaction.Commit();
}

void CMapDrag::Cancel() {
    m_transaction.RollBack();
    ReportFlatness(m_doc, m_objects);
}
