#include "view/CMapPainter.h"

#include "map/MapGroups.h"
#include "map/SelectionSetEdits.h"
#include "view/BoxProjector.h"
#include "view/BrushPrefetch.h"
#include "view/ViewLimits.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// How far out a leak trace is followed. The screen mapping wraps around past
// 32 bits, so a point a compiler placed far beyond the map would come back on
// the wrong side; a segment is cut where it leaves this box, keeping its
// direction, and a segment wholly beyond it is not drawn.
constexpr double kTraceReach = 1 << 22;

// Cuts the segment a-b to the cube of half-width `reach` (Liang-Barsky);
// false when none of it lies inside.
bool ClipSegment(Vec3d& a, Vec3d& b, double reach) {
    double enter = 0, leave = 1;
    const double from[3] = {a.x, a.y, a.z}, delta[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
    for (int axis = 0; axis < 3; ++axis) {
        for (double side : {-1.0, 1.0}) {
            // Inside while side * (from + t * delta) <= reach.
            const double q = reach - side * from[axis], pStep = side * delta[axis];
            if (pStep == 0) {
                if (q < 0)
                    return false;
            } else if (pStep > 0) {
                leave = std::min(leave, q / pStep);
            } else {
                enter = std::max(enter, q / pStep);
            }
        }
    }
    if (enter > leave)
        return false;
    const Vec3d start = a;
    auto at = [&](double t) {
        return Vec3d{start.x + t * delta[0], start.y + t * delta[1], start.z + t * delta[2]};
    };
    a = at(enter);
    b = at(leave);
    return true;
}

constexpr int32_t kVertexMarkerSize = 4;
constexpr int32_t kEntityMarkerSize = 8;

// Where each corner of a brush lands, worked out once per brush. The screen
// points are left unset until worked out: a view of many brushes draws them
// in a hurry.
struct ProjectedCorners {
    struct Pixel {
        int32_t x;
        int32_t y;
    };
    Pixel pixels[kMaxBrushVertices];
    bool inside[kMaxBrushVertices];

    ScreenPoint Screen(int v) const { return {pixels[v].x, pixels[v].y}; }
};

// Whether the marker of corner `v` would change no pixel: in a flat view a
// box's top corners lie over its bottom ones. It does when the last earlier
// marker reaching its pixels lies on the same pixel; when another marker
// drawn since reaches them (two corners within a marker's width), the repeat
// puts its outline back on top and must be drawn.
bool MarkedBefore(const ProjectedCorners& corners, int v, int32_t radius) {
    const int64_t reach = 2 * int64_t{radius} + 2; // the outline's pixels included
    const ScreenPoint p = corners.Screen(v);
    for (int u = v - 1; u >= 0; --u) {
        if (!corners.inside[u])
            continue;
        const ScreenPoint q = corners.Screen(u);
        if (q == p)
            return true;
        if (std::abs(int64_t{q.x} - p.x) <= reach && std::abs(int64_t{q.y} - p.y) <= reach)
            return false;
    }
    return false;
}

inline constexpr Rgb kLeak{255, 0, 0};

// A coordinate moved by a class's size, held to what a coordinate can be.
int32_t Offset(int32_t value, int32_t by) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} + by, INT32_MIN, INT32_MAX));
}

// The edges of one brush drawn so far on the screen, either way round. Its
// first few are kept (a box has four in a flat view, a many-sided pillar
// dozens); past them a repeat is left to the canvas. They are found by hash:
// a pillar's every edge is looked for among those kept.
class ShownEdges {
public:
    // False when the edge was shown already.
    bool Add(ScreenPoint s, ScreenPoint e) {
        if (e.x < s.x || (e.x == s.x && e.y < s.y))
            std::swap(s, e);
        const Edge edge{s.x, s.y, e.x, e.y};
        size_t slot = SlotOf(edge);
        for (; (m_used >> slot) & 1u; slot = (slot + 1) % kSlots) {
            if (m_edges[slot] == edge)
                return false;
        }
        if (m_count < kKept) {
            m_edges[slot] = edge;
            m_used |= uint64_t{1} << slot;
            ++m_count;
        }
        return true;
    }

private:
    static constexpr int kKept = 24;
    static constexpr size_t kSlots = 64; // of which never more than kKept in use
    struct Edge {
        int32_t x1, y1, x2, y2; // left unset until kept: a brush is drawn in a hurry
        friend bool operator==(const Edge&, const Edge&) = default;
    };
    static size_t SlotOf(const Edge& edge) {
        const uint64_t mixed = (uint64_t{static_cast<uint32_t>(edge.x1)} * 0x9E3779B1u) ^
                               (uint64_t{static_cast<uint32_t>(edge.y1)} * 0x85EBCA77u) ^
                               (uint64_t{static_cast<uint32_t>(edge.x2)} * 0xC2B2AE3Du) ^
                               (uint64_t{static_cast<uint32_t>(edge.y2)} * 0x27D4EB2Fu);
        return static_cast<size_t>((mixed ^ (mixed >> 29)) % kSlots);
    }
    Edge m_edges[kSlots];
    uint64_t m_used = 0;
    int m_count = 0;
};

// The outline of a marker, and the end pixel of a line, may fall one pixel
// past the box they are drawn in; one more keeps rounding out of the question.
constexpr int32_t kPenReach = 2;

// Whether an object can draw anything into a rectangle: around its corners'
// pixels, grown by the painter's margin.
class CAreaReach {
public:
    CAreaReach(const CViewProjection& projection, const CScreenMapper& mapper,
               const ScreenRect& area, int32_t margin)
        : m_boxes(projection), m_mapper(mapper), m_reach(area.Inflated(margin)) {}

    bool operator()(const IntPoint& origin) const {
        const ScreenPoint s = m_mapper.Map(origin);
        return m_reach.Intersects({s.x, s.y, s.x, s.y});
    }
    // Whether a line between two pixels can: its box is tested, which is
    // enough to pass over the many legs of a long leak trace off the area.
    bool ReachesLine(const ScreenPoint& a, const ScreenPoint& b) const {
        return m_reach.Intersects(
            {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    // Calls reached(i) for each brush entry whose box reaches the area, in
    // order, and missed(i) for the others while wantsMissed() holds. A run of
    // entries whose box lies off the area is passed over at once.
    template <class Reached, class Missed, class WantsMissed>
    void ForEachBrush(const CTolveDoc& doc, const Reached& reached, const Missed& missed,
                      const WantsMissed& wantsMissed) const {
        const std::vector<CBrushBoxIndex::Entry>& entries = doc.GetBrushBoxes();
        const std::vector<std::optional<IntBox>>& runs = doc.GetBrushRunBoxes();
        m_boxes.Visit([&](auto project) {
            for (size_t run = 0; run < runs.size(); ++run) {
                const size_t begin = run * CBrushBoxIndex::kRun;
                const size_t end = std::min(entries.size(), begin + CBrushBoxIndex::kRun);
                const std::optional<ScreenRect> rect =
                    runs[run] ? project(*runs[run]) : std::optional<ScreenRect>(ScreenRect{});
                if (rect && !m_reach.Intersects(*rect) && !wantsMissed())
                    continue;
                for (size_t i = begin; i < end; ++i) {
                    if (Reaches(entries[i], project(entries[i].box)))
                        reached(static_cast<uint32_t>(i));
                    else
                        missed(static_cast<uint32_t>(i));
                }
            }
        });
    }

private:
    // From the brush's box; where the box has no rectangle, from its corners
    // one by one.
    bool Reaches(const CBrushBoxIndex::Entry& entry, const std::optional<ScreenRect>& rect) const {
        if (!entry.HasCorners())
            return false;
        if (rect)
            return m_reach.Intersects(*rect);
        const CMapBrush& brush = *entry.brush;
        return m_mapper.Visit([&](auto map) {
            ScreenRect corners;
            for (int v = 0; v < brush.m_numVertices; ++v) {
                const ScreenPoint s = map(brush.m_vertices[v]);
                corners = corners.United({s.x, s.y, s.x, s.y});
            }
            return m_reach.Intersects(corners);
        });
    }

    CBoxProjector m_boxes;
    const CScreenMapper& m_mapper;
    ScreenRect m_reach;
};

} // namespace

bool CMapPainter::InsideLimits(const IntPoint& p) const {
    return ::InsideLimits(m_doc, m_projection.m_viewMode, p);
}

void CMapPainter::DrawMarker(const IntPoint& point, int32_t size, Rgb fill) {
    if (!InsideLimits(point))
        return;
    m_drewInsideLimits = true;
    const int32_t r = m_projection.MarkerRadius(size);
    if (r == 0)
        return; // too small to see at this zoom
    ScreenPoint s = m_mapper.Map(point);
    m_canvas.DrawEllipse(s.x - r, s.y - r, s.x + r, s.y + r, fill, kBlack);
}

void CMapPainter::DrawEdge(const IntPoint& p1, const IntPoint& p2, Rgb colour) {
    if (!InsideLimits(p1) && !InsideLimits(p2))
        return;
    ScreenPoint a = m_mapper.Map(p1);
    ScreenPoint b = m_mapper.Map(p2);
    m_canvas.DrawLine(a.x, a.y, b.x, b.y, colour);
}

void CMapPainter::DrawBrush(const CMapBrush& brush, Rgb colour) {
    const int n = brush.m_numVertices;
    ProjectedCorners corners;
    const DepthSlab slab = SlabOf(m_doc, m_projection.m_viewMode);
    m_mapper.Visit([&](auto map) {
        for (int v = 0; v < n; ++v) {
            corners.inside[v] = slab.Contains(brush.m_vertices[v]);
            const ScreenPoint screen = map(brush.m_vertices[v]);
            corners.pixels[v] = {screen.x, screen.y};
        }
    });
    if (!m_drewInsideLimits)
        m_drewInsideLimits =
            std::any_of(corners.inside, corners.inside + n, [](bool b) { return b; });
    const int32_t r = m_projection.MarkerRadius(kVertexMarkerSize);
    if (r > 0) {
        for (int v = 0; v < n; ++v) {
            if (corners.inside[v] && !MarkedBefore(corners, v, r)) {
                const ScreenPoint s = corners.Screen(v);
                m_canvas.DrawEllipse(s.x - r, s.y - r, s.x + r, s.y + r, kNavy, kBlack);
            }
        }
    }
    // An edge shared by two faces is drawn once, and so is an edge lying
    // over another in the view (a box's top over its bottom).
    uint64_t drawn[kMaxBrushVertices];
    std::memset(drawn, 0, sizeof(uint64_t) * n);
    ShownEdges shown;
    auto edge = [&](int a, int b) {
        if (a >= n || b >= n || (drawn[a] >> b) & 1u)
            return;
        drawn[a] |= uint64_t{1} << b;
        drawn[b] |= uint64_t{1} << a;
        if (!corners.inside[a] && !corners.inside[b])
            return;
        const ScreenPoint s = corners.Screen(a);
        const ScreenPoint e = corners.Screen(b);
        if (s == e || !shown.Add(s, e))
            return; // a point is all a marker shows; a repeat changes no pixel
        m_canvas.DrawLine(s.x, s.y, e.x, e.y, colour);
    };
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        if (face.numPoints == 0)
            continue;
        edge(face.vertexIndex[0], face.vertexIndex[face.numPoints - 1]);
        for (int k = 0; k + 1 < face.numPoints; ++k)
            edge(face.vertexIndex[k], face.vertexIndex[k + 1]);
    }
}

void CMapPainter::DrawFace(const CMapBrush& brush, int f, Rgb colour) {
    const BrushFace& face = brush.m_faces[f];
    const int n = face.numPoints;
    if (n == 0)
        return;
    const IntPoint* v = brush.m_vertices;
    DrawEdge(v[face.vertexIndex[0]], v[face.vertexIndex[n - 1]], colour);
    for (int k = 0; k + 1 < n; ++k)
        DrawEdge(v[face.vertexIndex[k]], v[face.vertexIndex[k + 1]], colour);
}

Rgb CMapPainter::BrushColour(const CModelEntity* owner, const CMapBrush& brush,
                             uint64_t setParts) const {
    const CEditorState& state = m_doc.GetEditorState();
    const bool world = owner == nullptr;
    if (owner == state.GetSelectedEntity() && &brush == state.GetSelectedBrush())
        return world ? kPurple : kOlive;
    if (setParts != 0 && state.GetEditMode() == kBrushMode)
        return kOrange;
    if (owner == state.GetSelectedEntity())
        return world ? kNavy : kDarkGreen;
    return world ? kNavy : kTeal;
}

void CMapPainter::DrawOwnedBrush(const CModelEntity* owner, const CMapBrush& brush) {
    const CEditorState& state = m_doc.GetEditorState();
    if (state.IsHidden(brush))
        return;
    const uint64_t setParts = state.GetSelectionSet().PartsOf(brush);
    const EditMode mode = state.GetEditMode();
    DrawBrush(brush, BrushColour(owner, brush, setParts));
    if (setParts != 0 && mode != kBrushMode)
        DrawSetParts(brush, mode, setParts);
}

bool CMapPainter::ShowsBoxesAsRectangles() const {
    return !m_projection.m_threeD && m_projection.MarkerRadius(kVertexMarkerSize) == 0;
}

// The box's twelve edges lie four over four along the view's depth, and its
// uprights are points: what DrawBrush draws of it is the rectangle's sides,
// each once, and nothing when its corners all lie beyond the limits.
bool CMapPainter::DrawBoxFromIndex(const CBrushBoxIndex::Entry& entry) {
    const CEditorState& state = m_doc.GetEditorState();
    const uint64_t setParts = state.GetSelectionSet().PartsOf(*entry.brush);
    if (setParts != 0 && state.GetEditMode() != kBrushMode)
        return false; // its chosen corners or faces go over it
    const std::optional<ScreenRect> rect = m_boxes.Project(entry.box);
    if (!rect)
        return false;
    // Every corner lies at the box's least or greatest depth.
    const DepthSlab slab = SlabOf(m_doc, m_projection.m_viewMode);
    if (!slab.Contains(entry.box.min) && !slab.Contains(entry.box.max))
        return true;
    m_drewInsideLimits = true;
    const Rgb colour = BrushColour(entry.owner, *entry.brush, setParts);
    const ScreenRect& r = *rect;
    if (r.left != r.right && r.top != r.bottom)
        m_canvas.DrawRectangle(r.left, r.top, r.right, r.bottom, colour);
    else if (r.left != r.right || r.top != r.bottom)
        m_canvas.DrawLine(r.left, r.top, r.right, r.bottom, colour); // seen edge on
    return true;
}

// The corners or faces of a brush that are in the set, over its outline.
void CMapPainter::DrawSetParts(const CMapBrush& brush, EditMode mode, uint64_t parts) {
    if (mode == kCornerMode) {
        for (int v = 0; v < brush.m_numVertices; ++v) {
            if (parts & PartBit(v))
                DrawMarker(brush.m_vertices[v], kVertexMarkerSize, kOrange);
        }
    } else if (mode == kFaceMode) {
        for (int f = 0; f < brush.m_numFaces; ++f) {
            if (parts & PartBit(f))
                DrawFace(brush, f, kOrange);
        }
    }
}

namespace {

// The name of each closed group the selection holds, at the top left of the
// group's box in a flat view, so that the user sees what a click took whole.
void DrawSelectedGroupNames(const CTolveDoc& doc, const CScreenMapper& mapper, CCanvas& canvas) {
    const CEditorState& state = doc.GetEditorState();
    const CSelectionSet& set = state.GetSelectionSet();
    if (state.GetEditMode() != kBrushMode || set.GetBrushes().size() < 2)
        return;
    const CMapGroups groups(doc);
    for (const MapGroup& group : groups.GetGroups()) {
        const CModelEntity* entity = group.brushEntity;
        if (!entity || entity->m_brushes.empty() || !set.Contains(*entity->m_brushes.front()) ||
            groups.OutermostClosed(&group, state.GetOpenGroup()) != &group)
            continue;
        CSelectionSet whole;
        groups.AddToSet(group, kBrushMode, whole);
        const std::optional<IntBox> box = BoundsOfSet(whole, kBrushMode);
        if (!box)
            continue;
        const ScreenPoint a = mapper.Map(box->min);
        const ScreenPoint b = mapper.Map(box->max);
        constexpr int32_t kInside = 2;
        canvas.DrawText(std::min(a.x, b.x) + kInside, std::min(a.y, b.y) + kInside,
                        group.name.c_str());
    }
}

} // namespace

void CMapPainter::DrawSelectionOverlay() {
    if (!m_projection.m_threeD)
        DrawSelectedGroupNames(m_doc, m_mapper, m_canvas);
    const CEditorState& state = m_doc.GetEditorState();
    const CMapBrush* brush = state.GetSelectedBrush();
    if (!brush)
        return;
    if (state.GetSelectedVertex() >= 0 && state.GetSelectedVertex() < brush->m_numVertices)
        DrawMarker(brush->m_vertices[state.GetSelectedVertex()], kVertexMarkerSize, kPurple);
    if (state.GetEditMode() == kFaceMode && state.GetSelectedFace() < brush->m_numFaces)
        DrawFace(*brush, state.GetSelectedFace(), kDarkRed);
}

void CMapPainter::DrawOwnerBrushes(const CModelEntity* owner) {
    const BrushList& brushes = owner ? owner->m_brushes : m_doc.GetWorldBrushes();
    for (size_t i = 0; i < brushes.size(); ++i) {
        if (i + kPrefetchDistance < brushes.size())
            PrefetchBrushOutline(*brushes[i + kPrefetchDistance]);
        DrawOwnedBrush(owner, *brushes[i]);
    }
}

// In map order, from the map's boxes: on a view of part of a large map most
// brushes are passed over without a look at the brush itself.
template <class Reaches> void CMapPainter::DrawBrushesReaching(const Reaches& reaches) {
    const std::vector<CBrushBoxIndex::Entry>& entries = m_doc.GetBrushBoxes();
    const CEditorState& state = m_doc.GetEditorState();
    m_reaching.clear();
    m_reaching.reserve(entries.size());
    reaches.ForEachBrush(
        m_doc,
        [&](uint32_t i) {
            if (!state.IsHidden(*entries[i].brush))
                m_reaching.push_back(i);
        },
        [&](uint32_t i) {
            if (!m_drewInsideLimits)
                m_drewInsideLimits = AnyCornerInsideLimits(*entries[i].brush);
        },
        [&] { return !m_drewInsideLimits; });
    // Far out, where a large map shows many brushes at once, most are boxes
    // drawn from the index alone.
    const bool boxesAsRectangles = ShowsBoxesAsRectangles();
    const CSelectionSet& set = state.GetSelectionSet();
    for (size_t j = 0; j < m_reaching.size(); ++j) {
        if (j + kPrefetchDistance < m_reaching.size()) {
            const CBrushBoxIndex::Entry& ahead = entries[m_reaching[j + kPrefetchDistance]];
            if (!boxesAsRectangles || !ahead.alignedBox)
                PrefetchBrushOutline(*ahead.brush);
            __builtin_prefetch(set.WherePartsOf(*ahead.brush));
        }
        const CBrushBoxIndex::Entry& entry = entries[m_reaching[j]];
        if (boxesAsRectangles && entry.alignedBox && DrawBoxFromIndex(entry))
            continue;
        DrawOwnedBrush(entry.owner, *entry.brush);
    }
}

// An object left out because it lies off the view still counts as shown
// within the limits: the view says the limits hide the map only when they do.
// A hidden one is out whatever its corners.
bool CMapPainter::AnyCornerInsideLimits(const CMapBrush& brush) const {
    if (m_doc.GetEditorState().IsHidden(brush))
        return false;
    const DepthSlab slab = SlabOf(m_doc, m_projection.m_viewMode);
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (slab.Contains(brush.m_vertices[v]))
            return true;
    }
    return false;
}

const EntityClassDefinition* CMapPainter::DefinitionOf(const CPointEntity& entity) const {
    return m_definitions ? m_definitions->Find(entity.m_classname) : nullptr;
}

Rgb CMapPainter::UnhoveredFill(const CPointEntity& entity) const {
    const CEditorState& state = m_doc.GetEditorState();
    if (state.GetEditMode() == kEntityMode && state.GetSelectionSet().Contains(entity))
        return kOrange;
    const EntityClassDefinition* definition = DefinitionOf(entity);
    if (definition && definition->colour)
        return {definition->colour->r, definition->colour->g, definition->colour->b};
    return kDarkGreen;
}

// A class with a size shows its box too; its marker still shows where the
// entity stands and whether it is hovered.
void CMapPainter::DrawPointEntity(const CPointEntity& entity) {
    const bool hovered = &entity == m_doc.GetEditorState().GetSelectedPointEntity();
    const Rgb colour = hovered ? kOlive : UnhoveredFill(entity);
    const EntityClassDefinition* definition = DefinitionOf(entity);
    if (definition && definition->size && InsideLimits(entity.m_origin))
        DrawEntityBox(entity.m_origin, *definition->size, colour);
    DrawMarker(entity.m_origin, kEntityMarkerSize, colour);
}

void CMapPainter::DrawEntityBox(const IntPoint& origin, const DefinitionSize& size, Rgb colour) {
    ScreenPoint corners[8];
    for (int i = 0; i < 8; ++i) {
        const DefinitionPoint& x = (i & 1) ? size.maxs : size.mins;
        const DefinitionPoint& y = (i & 2) ? size.maxs : size.mins;
        const DefinitionPoint& z = (i & 4) ? size.maxs : size.mins;
        corners[i] = m_mapper.Map(
            IntPoint{Offset(origin.x, x.x), Offset(origin.y, y.y), Offset(origin.z, z.z)});
    }
    ShownEdges shown;
    for (int a = 0; a < 8; ++a) {
        for (int axis = 1; axis < 8; axis <<= 1) {
            const int b = a | axis;
            if (b == a || corners[a] == corners[b] || !shown.Add(corners[a], corners[b]))
                continue;
            m_canvas.DrawLine(corners[a].x, corners[a].y, corners[b].x, corners[b].y, colour);
        }
    }
}

void CMapPainter::DrawAxes(int32_t width, int32_t height) {
    const IntPoint& i = m_doc.GetEditorState().GetInsertionPoint();
    ScreenPoint origin;
    const char* vertical;
    const char* horizontal;
    switch (m_projection.m_viewMode) {
    case kPlaneXY:
        origin = m_mapper.Map(0, 0, i.z);
        vertical = "y";
        horizontal = "x";
        break;
    case kPlaneXZ:
        origin = m_mapper.Map(0, i.y, 0);
        vertical = "z";
        horizontal = "x";
        break;
    default:
        origin = m_mapper.Map(i.x, 0, 0);
        vertical = "z";
        horizontal = "y";
        break;
    }
    m_canvas.DrawText(origin.x, 0, vertical);
    m_canvas.DrawText(0, origin.y, horizontal);
    m_canvas.DrawLine(0, origin.y, width, origin.y, kBlack);
    m_canvas.DrawLine(origin.x, 0, origin.x, height, kBlack);
}

void CMapPainter::DrawLimits() {
    const CEditorState& state = m_doc.GetEditorState();
    const IntPoint& u = state.GetUpperLimit();
    const IntPoint& l = state.GetLowerLimit();
    const IntPoint& i = state.GetInsertionPoint();
    ScreenPoint a, b;
    switch (m_projection.m_viewMode) {
    case kPlaneXY:
        a = m_mapper.Map(u.x, u.y, i.z);
        b = m_mapper.Map(l.x, l.y, i.z);
        break;
    case kPlaneXZ:
        a = m_mapper.Map(u.x, i.y, u.z);
        b = m_mapper.Map(l.x, i.y, l.z);
        break;
    default:
        a = m_mapper.Map(i.x, u.y, u.z);
        b = m_mapper.Map(i.x, l.y, l.z);
        break;
    }
    m_canvas.DrawRectangle(a.x, a.y, b.x, b.y, kGrey);
}

// Lines across the view at every multiple of `step` along the plane's
// horizontal (`axis` 0) or vertical (1) axis, skipping those at multiples of
// `every` (drawn darker afterwards, 0 skips none).
void CMapPainter::DrawGridLines(int axis, int32_t step, int32_t every, int32_t width,
                                int32_t height) {
    const IntPoint& insertion = m_doc.GetEditorState().GetInsertionPoint();
    const IntPoint a = m_projection.ScreenToWorld(0, 0, insertion);
    const IntPoint b = m_projection.ScreenToWorld(width, height, insertion);
    const int component = axis == 0 ? HorizontalAxisOf(m_projection.m_viewMode)
                                    : VerticalAxisOf(m_projection.m_viewMode);
    const int64_t low = std::min(a.Component(component), b.Component(component));
    const int64_t high = std::max(a.Component(component), b.Component(component));
    const Rgb colour = every == 0 ? m_gridMajor : m_gridMinor;
    auto along = [&](IntPoint p, int64_t value) {
        (component == 0 ? p.x : component == 1 ? p.y : p.z) = static_cast<int32_t>(value);
        return p;
    };
    // The first multiple of the step at or past the low edge.
    int64_t line = low >= 0 ? (low + step - 1) / step * step : -(-low / step * step);
    for (; line <= high; line += step) {
        if (every != 0 && line % every == 0)
            continue;
        const ScreenPoint s = m_mapper.Map(along(insertion, line));
        if (axis == 0)
            m_canvas.DrawRule(true, s.x, height, colour);
        else
            m_canvas.DrawRule(false, s.y, width, colour);
    }
}

void CMapPainter::SetGridColour(Rgb minor) {
    m_gridMinor = minor;
    m_gridMajor = MajorGridColour(minor);
}

// At the snap step, every eighth line darker; lines that would crowd closer
// than a few pixels give way to the darker ones alone, or to none. The 3D
// view has no grid: its planes slant.
void CMapPainter::DrawGrid(int32_t width, int32_t height) {
    if (!m_showGrid || m_projection.m_threeD)
        return;
    const int64_t step = std::max<int64_t>(m_doc.GetEditorState().GetSnap(), 1);
    const int64_t major = step * 8;
    const bool minor = m_projection.PixelsOf(step) >= kGridMinSpacing;
    if (m_projection.PixelsOf(major) < kGridMinSpacing)
        return;
    for (int axis = 0; axis < 2; ++axis) {
        if (minor)
            DrawGridLines(axis, static_cast<int32_t>(step), static_cast<int32_t>(major), width,
                          height);
        DrawGridLines(axis, static_cast<int32_t>(major), 0, width, height);
    }
}

// A part repaints in the same order as the whole, so that where objects
// overlap the same one ends up on top.
template <class Reaches>
void CMapPainter::Paint(int32_t width, int32_t height, const Reaches& reaches) {
    DrawGrid(width, height);
    ScreenPoint insertion = m_mapper.Map(m_doc.GetEditorState().GetInsertionPoint());
    m_canvas.DrawLine(insertion.x, 0, insertion.x, height, kBlack);
    m_canvas.DrawLine(0, insertion.y, width, insertion.y, kBlack);
    DrawAxes(width, height);
    DrawLimits();
    const PointEntityList& entities = m_doc.GetPointEntities();
    for (size_t i = 0; i < entities.size(); ++i) {
        // Entities lie scattered in memory as brushes do.
        if (i + kPrefetchDistance < entities.size())
            __builtin_prefetch(&entities[i + kPrefetchDistance]->m_origin);
        const CPointEntity* entity = entities[i].get();
        if (m_doc.GetEditorState().IsHidden(*entity))
            continue;
        if (reaches(entity->m_origin))
            DrawPointEntity(*entity);
        else if (!m_drewInsideLimits)
            m_drewInsideLimits = InsideLimits(entity->m_origin);
    }
    DrawBrushesReaching(reaches);
    DrawPointFile(reaches);
    DrawSelectionOverlay();
}

template <class Reaches> void CMapPainter::DrawPointFile(const Reaches& reaches) {
    if (!m_doc.m_pointFile || m_doc.m_pointFile->points.empty())
        return;
    const std::vector<Vec3d>& points = m_doc.m_pointFile->points;
    auto screen = [&](const Vec3d& p) { return m_mapper.Map(NearestPoint(p)); };
    for (size_t i = 1; i < points.size(); ++i) {
        Vec3d a = points[i - 1], b = points[i];
        if (!ClipSegment(a, b, kTraceReach))
            continue;
        const ScreenPoint from = screen(a), to = screen(b);
        if (reaches.ReachesLine(from, to))
            m_canvas.DrawLine(from.x, from.y, to.x, to.y, kLeak);
    }
    // Where the trace starts: the entity that sees out into the void.
    Vec3d first = points[0], same = points[0];
    if (!ClipSegment(first, same, kTraceReach))
        return;
    const ScreenPoint start = screen(first);
    if (reaches.ReachesLine(start, start))
        m_canvas.DrawEllipse(start.x - 3, start.y - 3, start.x + 3, start.y + 3, kLeak, kLeak);
}

// Objects off the view are passed over: on a view showing a corner of a
// large map most are.
void CMapPainter::PaintAll(int32_t width, int32_t height) {
    PaintArea({0, 0, width - 1, height - 1}, width, height);
}

void CMapPainter::PaintArea(const ScreenRect& area, int32_t width, int32_t height) {
    Paint(width, height,
          CAreaReach(m_projection, m_mapper, area, ObjectMargin(m_projection, m_doc)));
}

int32_t CMapPainter::ObjectMargin(const CViewProjection& projection) {
    return projection.MarkerRadius(std::max(kEntityMarkerSize, kVertexMarkerSize)) + kPenReach;
}

int32_t CMapPainter::ObjectMargin(const CViewProjection& projection, const CTolveDoc& doc) {
    const int64_t reach = LargestPointClassReach(doc.GetEntityDefinitions());
    const int64_t pixels = std::min<int64_t>(projection.PixelsOf(reach) + 1, INT32_MAX / 4);
    return std::max(ObjectMargin(projection), static_cast<int32_t>(pixels) + kPenReach);
}

bool CMapPainter::PaintNotice(const MapNotice& notice) {
    const CEditorState& state = m_doc.GetEditorState();
    using What = MapNotice::What;
    switch (notice.what) {
    case What::kPointEntity:
        if (notice.pointEntity && !state.IsHidden(*notice.pointEntity))
            DrawMarker(notice.pointEntity->m_origin, kEntityMarkerSize,
                       UnhoveredFill(*notice.pointEntity));
        if (state.GetSelectedPointEntity())
            DrawMarker(state.GetSelectedPointEntity()->m_origin, kEntityMarkerSize, kOlive);
        return true;
    case What::kOwnerBrushes:
        DrawOwnerBrushes(notice.owner);
        DrawSelectionOverlay();
        return true;
    case What::kBrush:
        if (notice.brush)
            DrawOwnedBrush(state.GetSelectedEntity(), *notice.brush);
        if (state.GetSelectedBrush())
            DrawOwnedBrush(state.GetSelectedEntity(), *state.GetSelectedBrush());
        DrawSelectionOverlay();
        return true;
    case What::kOneBrush:
        if (notice.brush)
            DrawOwnedBrush(notice.owner, *notice.brush);
        return true;
    case What::kAll:
    case What::kArea: // the view clears the area first
        return false;
    }
    return false;
}
