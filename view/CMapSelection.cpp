#include "view/CMapSelection.h"

#include "view/BoxProjector.h"
#include "view/ViewLimits.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

int64_t Manhattan(int64_t dx, int64_t dy, int64_t dz = 0) {
    return std::llabs(dx) + std::llabs(dy) + std::llabs(dz);
}

} // namespace

IntPoint CentreOf(const IntPoint* points, const uint8_t* indices, int count) {
    int64_t m[3] = {0, 0, 0};
    for (int j = 0; j < count; ++j) {
        const IntPoint& v = points[indices ? indices[j] : j];
        const int64_t c[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k)
            m[k] -= (m[k] - c[k]) / (j + 1);
    }
    return IntPoint(static_cast<int32_t>(m[0]), static_cast<int32_t>(m[1]),
                    static_cast<int32_t>(m[2]));
}

int64_t CMapSelection::ScreenDistance(const IntPoint& world) const {
    ScreenPoint s = m_mapper.Map(world);
    return Manhattan(int64_t{s.x} - m_mouse.x, int64_t{s.y} - m_mouse.y);
}

int64_t CMapSelection::WorldDistance(const IntPoint& world) const {
    return Manhattan(int64_t{world.x} - m_cursor.x, int64_t{world.y} - m_cursor.y,
                     int64_t{world.z} - m_cursor.z);
}

// The last tie-break between vertices of two brushes: the brush whose centre
// is nearer wins, and a full tie goes to the brush offered later.
bool CMapSelection::BrushBeatsSelected(const CMapBrush& brush) const {
    const CMapBrush& selected = *m_bestBrush;
    IntPoint mine = CentreOf(brush.m_vertices, nullptr, brush.m_numVertices);
    IntPoint theirs = CentreOf(selected.m_vertices, nullptr, selected.m_numVertices);
    int64_t a = ScreenDistance(mine), b = ScreenDistance(theirs);
    if (a != b)
        return a < b;
    return WorldDistance(mine) <= WorldDistance(theirs);
}

void CMapSelection::PickVertex(CMapBrush* brush, CModelEntity* owner) {
    if (m_doc.GetEditorState().IsOutOfReach(*brush))
        return; // as if all its corners lay beyond the limits
    const int count = brush->m_numVertices;
    const IntPoint* vertices = brush->m_vertices;
    // Screen distances first, in one tight pass; most vertices lose at once.
    int64_t distances[kMaxBrushVertices];
    bool shown[kMaxBrushVertices];
    const ScreenPoint mouse = m_mouse;
    const DepthSlab slab = m_slab;
    m_mapper.Visit([&](auto map) {
        for (int i = 0; i < count; ++i) {
            const ScreenPoint s = map(vertices[i]);
            distances[i] = Manhattan(int64_t{s.x} - mouse.x, int64_t{s.y} - mouse.y);
            shown[i] = slab.Contains(vertices[i]);
        }
    });
    for (int i = 0; i < count; ++i) {
        const int64_t a = distances[i];
        bool select;
        if (!m_bestBrush) {
            select = true; // the first vertex offered is taken untested
        } else if (!shown[i] || a > m_bestScreen) {
            continue;
        } else if (a < m_bestScreen) {
            select = true;
        } else {
            const IntPoint& v = vertices[i];
            const IntPoint& s = m_bestBrush->m_vertices[m_bestVertex];
            int64_t wa = WorldDistance(v), wb = WorldDistance(s);
            if (wa != wb)
                select = wa < wb;
            else if (brush == m_bestBrush)
                select = false; // the earlier vertex of one brush stays
            else
                select = BrushBeatsSelected(*brush);
        }
        if (select) {
            m_bestOwner = owner;
            m_bestBrush = brush;
            m_bestVertex = i;
            m_bestScreen = a;
        }
    }
}

template <class Visit> void CMapSelection::ForEachBrush(const Visit& visit) const {
    auto walk = [&](const BrushList& brushes, CModelEntity* owner) {
        const size_t count = brushes.size();
        for (size_t i = 0; i < count; ++i) {
            PrefetchBrush(brushes, i + kPrefetchDistance);
            visit(*brushes[i], owner);
        }
    };
    walk(m_doc.GetWorldBrushes(), nullptr);
    for (const auto& entity : m_doc.GetModelEntities())
        walk(entity->m_brushes, entity.get());
}

int64_t CMapSelection::LeastShownDistance(const CMapBrush& brush) const {
    int64_t least = INT64_MAX;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (m_slab.Contains(brush.m_vertices[v]))
            least = std::min(least, ScreenDistance(brush.m_vertices[v]));
    }
    return least;
}

// Offering every brush in map order finds the hovered corner, ties decided by
// the order. A brush whose screen box lies farther than some corner already
// known cannot hold the winner nor one tying with it, so it is passed over
// without changing the result: the bound comes from the brush whose box is
// nearest, and from the first brush, whose first corner is taken untested.
void CMapSelection::PickNearestVertex() {
    const CBoxProjector boxes(m_projection);
    const CEditorState& state = m_doc.GetEditorState();
    const std::vector<CBrushBoxIndex::Entry>& entries = m_doc.GetBrushBoxes();
    // Each brush's least distance, worked out once for both passes.
    std::vector<int64_t> least(entries.size(), INT64_MAX);
    size_t first = entries.size(), nearest = entries.size();
    boxes.Visit([&](auto project) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].HasCorners() || state.IsOutOfReach(*entries[i].brush))
                continue;
            if (first == entries.size())
                first = i;
            least[i] = CBoxProjector::LeastDistance(project(entries[i].box), m_mouse);
            if (nearest == entries.size() || least[i] < least[nearest])
                nearest = i;
        }
    });
    if (first == entries.size())
        return;
    const CMapBrush& firstBrush = *entries[first].brush;
    const int64_t bound =
        std::min({LeastShownDistance(*entries[nearest].brush), LeastShownDistance(firstBrush),
                  ScreenDistance(firstBrush.m_vertices[0])});
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == first || least[i] <= bound)
            PickVertex(entries[i].brush, entries[i].owner);
    }
}

CPointEntity* CMapSelection::PickPointEntity() const {
    CPointEntity* selected = nullptr;
    int64_t best = 0;
    const CEditorState& state = m_doc.GetEditorState();
    const PointEntityList& entities = m_doc.GetPointEntities();
    for (size_t i = 0; i < entities.size(); ++i) {
        if (i + kPrefetchDistance < entities.size())
            __builtin_prefetch(&entities[i + kPrefetchDistance]->m_origin);
        const auto& entity = entities[i];
        if (state.IsOutOfReach(*entity))
            continue;
        const IntPoint& o = entity->m_origin;
        if (!selected) {
            selected = entity.get();
            best = ScreenDistance(o);
            continue;
        }
        if (!m_slab.Contains(o))
            continue;
        int64_t a = ScreenDistance(o);
        bool select = a != best ? a < best : WorldDistance(o) <= WorldDistance(selected->m_origin);
        if (select) {
            selected = entity.get();
            best = a;
        }
    }
    return selected;
}

uint8_t CMapSelection::PickFace(const CMapBrush& brush) const {
    int best = 0;
    if (brush.m_numFaces > 0) {
        auto centre = [&](int f) {
            return CentreOf(brush.m_vertices, brush.m_faces[f].vertexIndex,
                            brush.m_faces[f].numPoints);
        };
        IntPoint bestCentre = centre(0);
        int64_t bestScreen = ScreenDistance(bestCentre);
        int64_t bestWorld = WorldDistance(bestCentre);
        for (int f = 1; f < brush.m_numFaces; ++f) {
            IntPoint c = centre(f);
            int64_t screen = ScreenDistance(c);
            int64_t world = WorldDistance(c);
            if (screen < bestScreen || (screen == bestScreen && world < bestWorld)) {
                best = f;
                bestScreen = screen;
                bestWorld = world;
            }
        }
    }
    return static_cast<uint8_t>(best);
}

void CMapSelection::UpdateSelection(bool restricted) {
    UpdateSelection(restricted, false);
}

void CMapSelection::UpdateSelectionOfferingEveryBrush() {
    UpdateSelection(false, true);
}

void CMapSelection::UpdateSelection(bool restricted, bool everyBrush) {
    CEditorState& state = m_doc.GetEditorState();
    m_cursor = m_projection.ScreenToWorld(m_mouse.x, m_mouse.y, state.GetInsertionPoint());

    HoverSelection hover = state.GetHover();
    m_bestOwner = hover.entity; // kept when no brush is offered
    m_bestBrush = nullptr;
    m_bestVertex = hover.vertex;
    if (restricted) {
        if (hover.brush)
            PickVertex(hover.brush, hover.entity);
    } else if (everyBrush) {
        ForEachBrush([&](CMapBrush& brush, CModelEntity* owner) { PickVertex(&brush, owner); });
    } else {
        PickNearestVertex();
    }
    hover.entity = m_bestOwner;
    hover.brush = m_bestBrush;
    hover.vertex = m_bestVertex;
    hover.pointEntity = PickPointEntity();
    // Nothing farther away than the user wants picked.
    const int64_t reach = state.GetPickDistance();
    if (reach > 0 && !restricted) {
        if (hover.brush && m_bestScreen > reach) {
            hover.brush = nullptr;
            hover.entity = nullptr;
        }
        if (hover.pointEntity && ScreenDistance(hover.pointEntity->m_origin) > reach)
            hover.pointEntity = nullptr;
    }
    if (state.GetEditMode() == kFaceMode && hover.brush)
        hover.face = PickFace(*hover.brush);

    m_cursor = SnapPoint(m_cursor, state.GetSnap());
    state.SetHover(hover);
}

std::vector<HoverSelection> CMapSelection::StackedUnderPointer() const {
    const CEditorState& state = m_doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    std::vector<HoverSelection> stacked;
    int64_t best = INT64_MAX;
    // Keeps the candidates at the smallest distance seen so far.
    auto offer = [&](int64_t distance, const HoverSelection& candidate) {
        if (distance > best)
            return;
        if (distance < best) {
            best = distance;
            stacked.clear();
        }
        stacked.push_back(candidate);
    };
    if (mode == kEntityMode) {
        for (const auto& entity : m_doc.GetPointEntities()) {
            if (!state.IsOutOfReach(*entity) && m_slab.Contains(entity->m_origin))
                offer(ScreenDistance(entity->m_origin), {.pointEntity = entity.get()});
        }
        return stacked;
    }
    auto offerBrush = [&](CModelEntity* owner, CMapBrush& brush) {
        if (state.IsOutOfReach(brush))
            return;
        int64_t nearest = INT64_MAX;
        int nearestVertex = 0;
        for (int v = 0; v < brush.m_numVertices; ++v) {
            if (!m_slab.Contains(brush.m_vertices[v]))
                continue;
            const int64_t distance = ScreenDistance(brush.m_vertices[v]);
            if (mode == kCornerMode) {
                offer(distance, {owner, &brush, v, 0, nullptr});
            } else if (distance < nearest) {
                nearest = distance;
                nearestVertex = v;
            }
        }
        if (mode != kCornerMode && nearest != INT64_MAX) {
            const uint8_t face = mode == kFaceMode ? PickFace(brush) : 0;
            offer(nearest, {owner, &brush, nearestVertex, face, nullptr});
        }
    };
    for (const auto& brush : m_doc.GetWorldBrushes())
        offerBrush(nullptr, *brush);
    for (const auto& entity : m_doc.GetModelEntities()) {
        for (const auto& brush : entity->m_brushes)
            offerBrush(entity.get(), *brush);
    }
    return stacked;
}
