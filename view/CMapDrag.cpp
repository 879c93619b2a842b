#include "view/CMapDrag.h"

#include "framework/CStatusNotice.h"
#include "map/CMapEdits.h"
#include "map/FaceFlatness.h"

namespace {

// Moved corners may leave faces bent; the file will keep another shape for
// them than the one on screen, so say so while the drag goes on.
void ReportFlatness(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    if (state.GetEditMode() == kEntityMode || !state.GetSelectedBrush())
        return;
    const int bent = CountNonFlatFaces(*state.GetSelectedBrush());
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

CMapDrag::CMapDrag(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint press)
    : m_doc(doc), m_projection(projection), m_cursor(SnappedWorldPoint(doc, projection, press)),
      m_transaction(doc, DragName(doc.GetEditorState().GetEditMode())) {}

void CMapDrag::MoveSelection(const IntPoint& delta) {
    const CEditorState& state = m_doc.GetEditorState();
    CMapEdits& edits = m_transaction.Edits();
    CMapBrush* brush = state.GetSelectedBrush();
    switch (state.GetEditMode()) {
    case kCornerMode:
        if (brush) {
            const int vertex = state.GetSelectedVertex();
            edits.MoveVertices(*brush, std::span(&vertex, 1), delta);
        }
        break;
    case kFaceMode:
        if (brush && state.GetSelectedFace() < brush->m_numFaces) {
            const BrushFace& face = brush->m_faces[state.GetSelectedFace()];
            int corners[kMaxFacePoints];
            for (int k = 0; k < face.numPoints; ++k)
                corners[k] = face.vertexIndex[k];
            edits.MoveVertices(*brush, std::span(corners, face.numPoints), delta);
        }
        break;
    case kBrushMode:
        if (brush)
            edits.MoveBrush(*brush, delta);
        break;
    case kEntityMode:
        if (state.GetSelectedPointEntity())
            edits.MovePointEntity(*state.GetSelectedPointEntity(), delta);
        break;
    default:
        break;
    }
}

bool CMapDrag::Step(ScreenPoint mouse) {
    if (!m_transaction.IsOpen())
        return false;
    IntPoint delta = Difference(SnappedWorldPoint(m_doc, m_projection, mouse), m_cursor);
    if (delta == IntPoint())
        return false;
    m_cursor = Sum(m_cursor, delta);
    m_total = Sum(m_total, delta);
    MoveSelection(delta);
    ReportFlatness(m_doc);
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
    ReportFlatness(m_doc);
}
