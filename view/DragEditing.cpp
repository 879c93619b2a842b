#include "view/DragEditing.h"

#include "framework/CStatusNotice.h"
#include "map/FaceFlatness.h"
#include "view/UpdateHints.h"

namespace {

void Move(IntPoint& point, const IntPoint& delta) {
    point.x += delta.x;
    point.y += delta.y;
    point.z += delta.z;
}

void MoveSelection(CTolveDoc& doc, const IntPoint& delta) {
    CMapBrush* brush = doc.m_selectedBrush;
    switch (doc.m_editMode) {
    case kCornerMode:
        if (brush && doc.m_selectedVertex >= 0 && doc.m_selectedVertex < brush->m_numVertices) {
            Move(brush->m_vertices[doc.m_selectedVertex], delta);
            brush->ForgetReadPlanes();
        }
        break;
    case kFaceMode:
        if (brush && doc.m_selectedFace < brush->m_numFaces) {
            const BrushFace& face = brush->m_faces[doc.m_selectedFace];
            for (int k = 0; k < face.numPoints; ++k)
                Move(brush->m_vertices[face.vertexIndex[k]], delta);
            brush->ForgetReadPlanes();
        }
        break;
    case kBrushMode:
        if (brush) {
            for (int v = 0; v < brush->m_numVertices; ++v)
                Move(brush->m_vertices[v], delta);
            brush->ForgetReadPlanes();
        }
        break;
    case kEntityMode:
        if (doc.m_selectedPointEntity) {
            Move(doc.m_selectedPointEntity->m_origin, delta);
            // The origin the file gave in a form the field could not hold is
            // replaced by the one the user dragged to.
            doc.m_selectedPointEntity->m_keptTexts.Forget("origin");
        }
        break;
    default:
        break;
    }
}

// Moved corners may leave faces bent; the file will keep another shape for
// them than the one on screen, so say so while the drag goes on.
void ReportFlatness(const CTolveDoc& doc) {
    if (doc.m_editMode == kEntityMode || !doc.m_selectedBrush)
        return;
    const int bent = CountNonFlatFaces(*doc.m_selectedBrush);
    ShowStatusNotice(bent > 0 ? DescribeNonFlatFaces(bent) : std::string());
}

} // namespace

IntPoint SnappedWorldPoint(const CTolveDoc& doc, const CViewProjection& projection,
                           ScreenPoint mouse) {
    return SnapPoint(projection.ScreenToWorld(mouse.x, mouse.y, doc.m_insertionPoint), doc.m_snap);
}

bool DragStep(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint mouse,
              IntPoint& cursor) {
    IntPoint target = SnappedWorldPoint(doc, projection, mouse);
    IntPoint delta(target.x - cursor.x, target.y - cursor.y, target.z - cursor.z);
    if (delta == IntPoint())
        return false;
    MoveSelection(doc, delta);
    ReportFlatness(doc);
    Move(cursor, delta);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(kHintRepaint, nullptr);
    return true;
}
