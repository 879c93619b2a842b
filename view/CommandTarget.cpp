#include "view/CommandTarget.h"

#include "view/ViewLimits.h"

namespace {

bool Contains(const ScreenRect& rect, const ScreenPoint& s) {
    return rect.left <= s.x && s.x <= rect.right && rect.top <= s.y && s.y <= rect.bottom;
}

// Some of the corners `mask` names (all of a brush's corners with ~0) lie
// inside the limits, and their screen box meets the client area.
bool CornersShown(const CMapBrush& brush, uint64_t mask, const CScreenMapper& mapper,
                  const DepthSlab& slab, const ScreenRect& client) {
    bool inSlab = false;
    ScreenRect box;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (!(mask & PartBit(v)))
            continue;
        inSlab = inSlab || slab.Contains(brush.m_vertices[v]);
        const ScreenPoint s = mapper.Map(brush.m_vertices[v]);
        box = box.United({s.x, s.y, s.x, s.y});
    }
    return inSlab && box.Intersects(client);
}

uint64_t FaceCorners(const CMapBrush& brush, int f) {
    uint64_t mask = 0;
    const BrushFace& face = brush.m_faces[f];
    for (int k = 0; k < face.numPoints; ++k)
        mask |= PartBit(face.vertexIndex[k]);
    return mask;
}

// Every corner `mask` names passes `inside`.
template <class Inside> bool AllCorners(const CMapBrush& brush, uint64_t mask, Inside&& inside) {
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if ((mask & PartBit(v)) && !inside(brush.m_vertices[v]))
            return false;
    }
    return mask != 0;
}

constexpr size_t kPrefetchDistance = 4;

// The objects of the mode whose points all pass `inside`; those hidden or
// locked are left out as if they lay beyond the limits.
template <class Inside> CSelectionSet ObjectsWhere(const CTolveDoc& doc, Inside&& inside) {
    CSelectionSet set;
    const CEditorState& state = doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    if (mode == kEntityMode) {
        for (const auto& entity : doc.GetPointEntities()) {
            if (!state.IsOutOfReach(*entity) && inside(entity->m_origin))
                set.Add(*entity);
        }
        return set;
    }
    auto offer = [&](CMapBrush& brush) {
        if (state.IsOutOfReach(brush))
            return;
        const uint64_t all =
            brush.m_numVertices == 64 ? ~uint64_t{0} : PartBit(brush.m_numVertices) - 1;
        uint64_t parts = 0;
        if (mode == kBrushMode) {
            parts = AllCorners(brush, all, inside) ? CSelectionSet::kWholeBrush : 0;
        } else if (mode == kCornerMode) {
            for (int v = 0; v < brush.m_numVertices; ++v) {
                if (inside(brush.m_vertices[v]))
                    parts |= PartBit(v);
            }
        } else {
            for (int f = 0; f < brush.m_numFaces; ++f) {
                if (AllCorners(brush, FaceCorners(brush, f), inside))
                    parts |= PartBit(f);
            }
        }
        set.Add(brush, parts);
    };
    // Each brush lies on pages of its own: the corners of the next few are
    // asked for ahead.
    auto offerAll = [&](const BrushList& brushes) {
        for (size_t i = 0; i < brushes.size(); ++i) {
            if (i + kPrefetchDistance < brushes.size()) {
                const CMapBrush& ahead = *brushes[i + kPrefetchDistance];
                __builtin_prefetch(&ahead.m_vertices[0]);
                __builtin_prefetch(&ahead.m_vertices[6]);
            }
            offer(*brushes[i]);
        }
    };
    offerAll(doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities())
        offerAll(entity->m_brushes);
    return set;
}

} // namespace

bool IsHoverShown(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                  int32_t height) {
    const CEditorState& state = doc.GetEditorState();
    const CScreenMapper mapper(projection);
    const DepthSlab slab = SlabOf(doc, projection.m_viewMode);
    const ScreenRect client{0, 0, width - 1, height - 1};
    switch (state.GetEditMode()) {
    case kEntityMode: {
        const CPointEntity* entity = state.GetSelectedPointEntity();
        return entity && slab.Contains(entity->m_origin) &&
               Contains(client, mapper.Map(entity->m_origin));
    }
    case kCornerMode:
        return state.GetSelectedBrush() &&
               CornersShown(*state.GetSelectedBrush(), PartBit(state.GetSelectedVertex()), mapper,
                            slab, client);
    case kFaceMode: {
        const CMapBrush* brush = state.GetSelectedBrush();
        return brush && state.GetSelectedFace() < brush->m_numFaces &&
               CornersShown(*brush, FaceCorners(*brush, state.GetSelectedFace()), mapper, slab,
                            client);
    }
    default:
        return state.GetSelectedBrush() &&
               CornersShown(*state.GetSelectedBrush(), ~uint64_t{0}, mapper, slab, client);
    }
}

CSelectionSet CommandTarget(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                            int32_t height) {
    const CEditorState& state = doc.GetEditorState();
    if (!state.GetSelectionSet().IsEmpty())
        return state.GetSelectionSet();
    if (!IsHoverShown(doc, projection, width, height))
        return CSelectionSet();
    return state.GetHoverAsSet();
}

CSelectionSet DragTarget(const CTolveDoc& doc, const CViewProjection& projection, int32_t width,
                         int32_t height) {
    const CEditorState& state = doc.GetEditorState();
    if (!IsHoverShown(doc, projection, width, height))
        return CSelectionSet();
    return state.IsHoverInSet() ? state.GetSelectionSet() : state.GetHoverAsSet();
}

CSelectionSet WithStackedCorners(const CSelectionSet& corners, const CViewProjection& projection) {
    if (projection.m_threeD)
        return corners;
    const int depth = DepthAxisOf(projection.m_viewMode);
    auto sameInPlane = [depth](const IntPoint& a, const IntPoint& b) {
        for (int axis = 0; axis < 3; ++axis) {
            if (axis != depth && a.Component(axis) != b.Component(axis))
                return false;
        }
        return true;
    };
    CSelectionSet stacked = corners;
    for (const auto& [brush, parts] : corners.GetBrushes()) {
        uint64_t more = 0;
        for (int v = 0; v < brush->m_numVertices; ++v) {
            if (!(parts & PartBit(v)))
                continue;
            for (int w = 0; w < brush->m_numVertices; ++w) {
                if (sameInPlane(brush->m_vertices[v], brush->m_vertices[w]))
                    more |= PartBit(w);
            }
        }
        stacked.Add(*brush, more);
    }
    return stacked;
}

CSelectionSet ObjectsInRectangle(const CTolveDoc& doc, const CViewProjection& projection,
                                 const ScreenRect& rect) {
    const CScreenMapper mapper(projection);
    const DepthSlab slab = SlabOf(doc, projection.m_viewMode);
    return mapper.Visit([&](auto map) {
        return ObjectsWhere(
            doc, [&](const IntPoint& p) { return slab.Contains(p) && Contains(rect, map(p)); });
    });
}

CSelectionSet ObjectsInsideLimits(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    const IntPoint& u = state.GetUpperLimit();
    const IntPoint& l = state.GetLowerLimit();
    return ObjectsWhere(doc, [&](const IntPoint& p) {
        return u.x < p.x && p.x < l.x && l.y < p.y && p.y < u.y && l.z < p.z && p.z < u.z;
    });
}

namespace {

// The world axes of the screen's right and up, and whether right runs along
// the axis or against it.
struct ScreenAxes {
    int h;
    int v;
    int32_t rightSign;
};

ScreenAxes AxesOf(const CViewProjection& projection) {
    const int32_t plane = projection.m_viewMode;
    // Across the screen YZ shows y to the left, and flipping reverses it once more.
    const int32_t sign = plane == kPlaneYZ ? -1 : 1;
    return {HorizontalAxisOf(plane), VerticalAxisOf(plane), projection.m_flipped ? -sign : sign};
}

void AddAlong(IntPoint& point, int axis, int32_t amount) {
    (axis == 0 ? point.x : axis == 1 ? point.y : point.z) += amount;
}

} // namespace

IntPoint ScreenStep(const CViewProjection& projection, int32_t dx, int32_t dy, int32_t step) {
    const ScreenAxes axes = AxesOf(projection);
    IntPoint delta;
    AddAlong(delta, axes.h, dx * step * axes.rightSign);
    AddAlong(delta, axes.v, -dy * step);
    return delta;
}

PlaneTurn TurnInView(const CViewProjection& projection, ScreenTurn turn, const IntPoint& centre) {
    const ScreenAxes axes = AxesOf(projection);
    using Kind = PlaneTurn::Kind;
    Kind kind = Kind::kMirrorH;
    // With right along h and up along v, clockwise on screen takes v to h.
    const bool mirroredScreen = axes.rightSign < 0;
    switch (turn) {
    case ScreenTurn::kClockwise:
        kind = mirroredScreen ? Kind::kTurnHToV : Kind::kTurnVToH;
        break;
    case ScreenTurn::kAnticlockwise:
        kind = mirroredScreen ? Kind::kTurnVToH : Kind::kTurnHToV;
        break;
    case ScreenTurn::kFlipHorizontal:
        kind = Kind::kMirrorH;
        break;
    case ScreenTurn::kFlipVertical:
        kind = Kind::kMirrorV;
        break;
    }
    return {kind, axes.h, axes.v, centre};
}
