#include "view/CClipTool.h"

#include "map/CMapTransaction.h"
#include "view/CMapDrag.h"

#include <cstdlib>
#include <limits>

namespace {

// One unit toward the viewer: right across the screen crossed with up it.
// Right is +x in the XY and XZ views and -y in the YZ view, unless flipped.
IntPoint TowardViewer(const CViewProjection& projection) {
    IntPoint toward;
    const int32_t sign = projection.m_flipped ? -1 : 1;
    switch (projection.m_viewMode) {
    case kPlaneXZ:
        toward.y = -sign;
        break;
    case kPlaneYZ:
        toward.x = -sign;
        break;
    default:
        toward.z = sign;
        break;
    }
    return toward;
}

IntPoint Plus(const IntPoint& a, const IntPoint& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// Whether the box, seen in the view's plane, comes within `units` of `p`.
bool BoxNear(const IntBox& box, const IntPoint& p, int32_t plane, int32_t units) {
    for (const int axis : {HorizontalAxisOf(plane), VerticalAxisOf(plane)}) {
        const int64_t c = p.Component(axis);
        if (c < int64_t{box.min.Component(axis)} - units ||
            c > int64_t{box.max.Component(axis)} + units)
            return false;
    }
    return true;
}

void AddEdges(const CMapBrush& brush, ClipLineKind kind, std::vector<ClipPreviewEdge>& edges) {
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        for (int k = 0; k < face.numPoints; ++k) {
            const int a = face.vertexIndex[k];
            const int b = face.vertexIndex[(k + 1) % face.numPoints];
            if (a < b) // each edge once: its other face runs it the other way
                edges.push_back({brush.m_vertices[a], brush.m_vertices[b], kind});
        }
    }
}

ClipSide Opposite(ClipSide side) {
    return side == ClipSide::kFront ? ClipSide::kBack : ClipSide::kFront;
}

} // namespace

std::string DescribeClipSide(ClipSide side) {
    switch (side) {
    case ClipSide::kFront:
        return "keep the front";
    case ClipSide::kBack:
        return "keep the back";
    case ClipSide::kBoth:
        break;
    }
    return "keep both";
}

IntPoint CClipTool::SnapPoint(const CViewProjection& projection, ScreenPoint mouse) const {
    const IntPoint grid = SnappedWorldPoint(m_doc, projection, mouse);
    const IntPoint under =
        projection.ScreenToWorld(mouse.x, mouse.y, m_doc.GetEditorState().GetInsertionPoint());
    const int32_t reach = projection.UnitsOf(kClipCornerPixels) + 1;
    std::optional<IntPoint> nearest;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const CBrushBoxIndex::Entry& entry : m_doc.GetBrushBoxes()) {
        if (!entry.HasCorners() || !BoxNear(entry.box, under, projection.m_viewMode, reach))
            continue;
        const CMapBrush& brush = *entry.brush;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const ScreenPoint s = projection.WorldToScreen(brush.m_vertices[v]);
            const int64_t dx = s.x - mouse.x, dy = s.y - mouse.y;
            const int64_t distance = dx * dx + dy * dy;
            if (distance <= kClipCornerPixels * kClipCornerPixels && distance < nearestDistance) {
                nearest = brush.m_vertices[v];
                nearestDistance = distance;
            }
        }
    }
    return nearest.value_or(grid);
}

CClipTool::CClipTool(CTolveDoc& doc, ClipClicks clicks) : m_doc(doc), m_clicks(clicks) {
    // The tool cuts the set; with none, what the pointer rests on is the set.
    CEditorState& state = doc.GetEditorState();
    if (state.GetSelectionSet().IsEmpty())
        state.SetSelectionSet(state.GetHoverAsSet());
}

void CClipTool::Click(const CViewProjection& projection, ScreenPoint mouse) {
    if (m_count == 2)
        m_count = 0;
    m_points[m_count++] = SnapPoint(projection, mouse);
    m_towardViewer = TowardViewer(projection);
    m_previewKnown = false;
}

void CClipTool::AddPoint(const IntPoint& point) {
    if (m_count == PointsWanted())
        m_count = 0;
    m_points[m_count++] = point;
    m_previewKnown = false;
}

void CClipTool::CycleSide() {
    m_doc.GetEditorState().SetClipSide(NextClipSide(GetSide()));
}

std::optional<ClipPlane> CClipTool::GetPlane() const {
    if (m_count < PointsWanted())
        return std::nullopt;
    const IntPoint third =
        m_clicks == ClipClicks::kThreeOnFaces ? m_points[2] : Plus(m_points[0], m_towardViewer);
    const ClipPlane plane{{m_points[0], m_points[1], third}};
    if (!SpansPlane(plane))
        return std::nullopt;
    return plane;
}

ClipRequest CClipTool::MakeRequest(ClipSide side) const {
    const CEditorState& state = m_doc.GetEditorState();
    // A map without a current texture yet gives the cut the brush's own.
    const ClipTexture texture =
        state.GetCurrentTexture().empty() ? ClipTexture::kLargestFace : state.GetClipTexture();
    return {*GetPlane(), side, texture, state.GetCurrentTexture()};
}

const std::vector<ClipPreviewEdge>& CClipTool::PreviewEdges() const {
    const CEditorState& state = m_doc.GetEditorState();
    const ClipSide side = GetSide();
    if (m_previewKnown && m_previewSet == state.GetSetGeneration() && m_previewSide == side)
        return m_preview;
    m_preview.clear();
    m_previewKnown = true;
    m_previewSet = state.GetSetGeneration();
    m_previewSide = side;
    if (!GetPlane())
        return m_preview;
    auto addParts = [&](ClipSide which, ClipLineKind kind) {
        for (const ClippedBrush& clipped :
             ClipBrushesOfSet(m_doc, state.GetSelectionSet(), MakeRequest(which))) {
            for (const auto* part : {&clipped.result.front, &clipped.result.back}) {
                if (*part)
                    AddEdges(**part, kind, m_preview);
            }
        }
    };
    addParts(side, ClipLineKind::kKept);
    if (side != ClipSide::kBoth)
        addParts(Opposite(side), ClipLineKind::kDropped);
    return m_preview;
}

std::vector<ClipPreviewLine> CClipTool::PreviewLines(const CViewProjection& projection) const {
    std::vector<ClipPreviewLine> lines;
    if (m_count == 2)
        lines.push_back({projection.WorldToScreen(m_points[0]),
                         projection.WorldToScreen(m_points[1]), ClipLineKind::kCut});
    for (const ClipPreviewEdge& edge : PreviewEdges())
        lines.push_back(
            {projection.WorldToScreen(edge.from), projection.WorldToScreen(edge.to), edge.kind});
    return lines;
}

std::string CClipTool::Apply() {
    if (!GetPlane())
        return m_clicks == ClipClicks::kThreeOnFaces
                   ? "Click three points on faces, not in one line, to set the plane of the cut."
                   : "Click two different points to set the line of the cut.";
    CEditorState& state = m_doc.GetEditorState();
    if (state.GetSelectionSet().GetBrushes().empty())
        return "Select the brushes to cut first.";
    const std::vector<ClippedBrush> clipped =
        ClipBrushesOfSet(m_doc, state.GetSelectionSet(), MakeRequest(GetSide()));
    std::string refusal = DescribeClipRefusal(m_doc, clipped);
    if (!refusal.empty())
        return refusal;
    CSelectionSet kept;
    CMapTransaction transaction(m_doc, "Clip");
    ApplyClip(transaction.Edits(), m_doc, clipped, kept);
    transaction.Commit();
    m_previewKnown = false;
    // Corners and faces of the set are counted anew in the parts; only whole
    // brushes stay chosen.
    state.SetSelectionSet(state.GetEditMode() == kBrushMode ? std::move(kept) : CSelectionSet());
    m_count = 0;
    return {};
}
