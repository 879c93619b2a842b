#include "scene/ScenePicking.h"

#include "entity/EntityDefinitions.h"
#include "map/CTolveDoc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

CSceneLimits::CSceneLimits(const CEditorState& state, SceneUse use)
    : m_hidden(state.GetHidden()),
      m_locked(use == SceneUse::kPicking ? &state.GetLocked() : nullptr) {
    // The upper limit holds the smallest x, the lower one the largest.
    const IntPoint& u = state.GetUpperLimit();
    const IntPoint& l = state.GetLowerLimit();
    m_low = {u.x, l.y, l.z};
    m_high = {l.x, u.y, u.z};
}

bool CSceneLimits::Shows(const IntPoint& p) const {
    return m_low.x < p.x && p.x < m_high.x && m_low.y < p.y && p.y < m_high.y && m_low.z < p.z &&
           p.z < m_high.z;
}

bool CSceneLimits::Shows(const CMapBrush& brush) const {
    if (IsOut(brush))
        return false;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (Shows(brush.m_vertices[v]))
            return true;
    }
    return false;
}

bool CSceneLimits::Shows(const CMapBrush& brush, const IntBox& bounds) const {
    if (IsOut(brush))
        return false;
    for (int axis = 0; axis < 3; ++axis) {
        if (bounds.max.Component(axis) <= m_low.Component(axis) ||
            bounds.min.Component(axis) >= m_high.Component(axis))
            return false;
    }
    if (Shows(bounds.min) && Shows(bounds.max))
        return true;
    return Shows(brush);
}

bool CSceneLimits::Shows(const CPointEntity& entity) const {
    return !IsOut(entity) && Shows(entity.m_origin);
}

namespace {

constexpr double kNowhere = std::numeric_limits<double>::infinity();
constexpr size_t kPrefetchDistance = 16;

int32_t Offset(int32_t value, int32_t by) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} + by, INT32_MIN, INT32_MAX));
}

IntBox BoxAround(const IntPoint& o, const IntPoint& low, const IntPoint& high) {
    return {{Offset(o.x, low.x), Offset(o.y, low.y), Offset(o.z, low.z)},
            {Offset(o.x, high.x), Offset(o.y, high.y), Offset(o.z, high.z)}};
}

// The stretch of a ray inside boxes, by the distances at which it crosses the
// planes of their sides. `margin` widens every box so that a test of boxes
// never passes over what the exact test of a brush's planes would hit.
class CRayBoxTest {
public:
    CRayBoxTest(const SceneRay& ray, double margin) : m_margin(margin) {
        for (int axis = 0; axis < 3; ++axis) {
            m_origin[axis] = ray.origin[axis];
            m_parallel[axis] = ray.direction[axis] == 0.0;
            m_inverse[axis] = m_parallel[axis] ? 0.0 : 1.0 / ray.direction[axis];
        }
    }

    // Where the ray enters the box, when it meets it no farther than `within`.
    bool Meets(const IntBox& box, double within, double& enter) const {
        const double low[3] = {double(box.min.x), double(box.min.y), double(box.min.z)};
        const double high[3] = {double(box.max.x), double(box.max.y), double(box.max.z)};
        return Meets(low, high, within, enter);
    }

    // The same for the cube reaching `reach` each way from `centre`.
    bool MeetsCube(const IntPoint& centre, double reach, double within, double& enter) const {
        const double low[3] = {centre.x - reach, centre.y - reach, centre.z - reach};
        const double high[3] = {centre.x + reach, centre.y + reach, centre.z + reach};
        return Meets(low, high, within, enter);
    }

private:
    bool Meets(const double (&low)[3], const double (&high)[3], double within,
               double& enter) const {
        double from = 0.0, to = within;
        for (int axis = 0; axis < 3; ++axis) {
            const double nearSide = low[axis] - m_margin - m_origin[axis];
            const double farSide = high[axis] + m_margin - m_origin[axis];
            if (m_parallel[axis]) {
                if (nearSide > 0.0 || farSide < 0.0)
                    return false;
                continue;
            }
            double a = nearSide * m_inverse[axis], b = farSide * m_inverse[axis];
            if (a > b)
                std::swap(a, b);
            from = std::max(from, a);
            to = std::min(to, b);
            if (from > to)
                return false;
        }
        enter = from;
        return true;
    }

    double m_margin;
    double m_origin[3];
    double m_inverse[3];
    bool m_parallel[3];
};

// A brush's plane points are whole numbers, so the boxes need only a hair
// more than rounding.
constexpr double kBoxMargin = 1.0 / 1024.0;

struct BrushHit {
    double distance;
    int face;
};

// The convex brush is where the ray lies behind every face plane: it enters
// at the last plane it crosses inward, and leaves at the first it crosses
// outward.
bool HitBrush(const CMapBrush& brush, const SceneRay& ray, BrushHit& hit) {
    double enter = -kNowhere, exit = kNowhere;
    int entered = -1;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        if (face.numPoints < 3 || std::max({face.vertexIndex[0], face.vertexIndex[1],
                                            face.vertexIndex[2]}) >= brush.m_numVertices)
            continue;
        const Vec3d p = ToVec3d(brush.m_vertices[face.vertexIndex[0]]);
        const Vec3d q = ToVec3d(brush.m_vertices[face.vertexIndex[1]]);
        const Vec3d r = ToVec3d(brush.m_vertices[face.vertexIndex[2]]);
        const Vec3d normal = Cross(p - q, r - q);
        const double toward = Dot(normal, ray.direction);
        const double gap = Dot(normal, p - ray.origin); // positive: the origin is behind
        if (toward < 0.0) {
            const double t = gap / toward;
            if (t > enter) {
                enter = t;
                entered = f;
            }
        } else if (toward > 0.0) {
            exit = std::min(exit, gap / toward);
        } else if (gap < 0.0) {
            return false; // alongside the plane, in front of it
        }
        if (enter > exit)
            return false;
    }
    if (entered < 0 || enter < 0.0)
        return false;
    hit = {enter, entered};
    return true;
}

bool IsUsableRay(const SceneRay& ray) {
    for (int axis = 0; axis < 3; ++axis) {
        if (!std::isfinite(ray.origin[axis]) || !std::isfinite(ray.direction[axis]))
            return false;
    }
    return Dot(ray.direction, ray.direction) > 0.0;
}

class CRayPicker {
public:
    CRayPicker(const CTolveDoc& doc, const SceneRay& ray)
        : m_doc(doc), m_ray(ray), m_limits(doc.GetEditorState(), SceneUse::kPicking),
          m_boxes(ray, kBoxMargin) {
        m_pick.distance = kNowhere;
    }

    // Of two hits as near, the brush earlier in map order wins, whatever
    // order the brushes are offered in.
    void OfferBrush(size_t order, CMapBrush& brush, CModelEntity* owner, const IntBox& bounds) {
        BrushHit hit;
        if (!m_limits.Shows(brush, bounds) || !HitBrush(brush, m_ray, hit) ||
            hit.distance > m_pick.distance ||
            (hit.distance == m_pick.distance && order > m_pickOrder))
            return;
        m_pick = {&brush, owner, hit.face, nullptr, hit.distance, At(hit.distance)};
        m_pickOrder = order;
    }

    // Runs nearest first, so that the first hits cut the search short; in
    // each, the brushes whose boxes the ray meets no farther than the best hit.
    void OfferIndexedBrushes() {
        const std::vector<CBrushBoxIndex::Entry>& entries = m_doc.GetBrushBoxes();
        const std::vector<std::optional<IntBox>>& runs = m_doc.GetBrushRunBoxes();
        std::vector<std::pair<double, size_t>> met;
        double enter = 0.0;
        for (size_t run = 0; run < runs.size(); ++run) {
            if (runs[run] && m_boxes.Meets(*runs[run], kNowhere, enter))
                met.emplace_back(enter, run);
        }
        std::sort(met.begin(), met.end());
        for (const auto& [runEnter, run] : met) {
            if (runEnter > m_pick.distance)
                break;
            const size_t end = std::min(entries.size(), (run + 1) * CBrushBoxIndex::kRun);
            for (size_t i = run * CBrushBoxIndex::kRun; i < end; ++i) {
                const CBrushBoxIndex::Entry& entry = entries[i];
                if (entry.HasCorners() && m_boxes.Meets(entry.box, m_pick.distance, enter))
                    OfferBrush(i, *entry.brush, entry.owner, entry.box);
            }
        }
    }

    void OfferEveryBrush() {
        size_t order = 0;
        auto offer = [&](const BrushList& brushes, CModelEntity* owner) {
            for (const auto& brush : brushes) {
                if (const IntBox* bounds = brush->GetBounds())
                    OfferBrush(order, *brush, owner, *bounds);
                ++order;
            }
        };
        offer(m_doc.GetWorldBrushes(), nullptr);
        for (const auto& entity : m_doc.GetModelEntities())
            offer(entity->m_brushes, entity.get());
    }

    // Each entity is first tried with the largest box any class has, which
    // passes over most without a look at its class.
    void OfferPointEntities() {
        const CEntityDefinitions* definitions = m_doc.GetEntityDefinitions();
        const int32_t reach = LargestReach(definitions);
        const CRayBoxTest exact(m_ray, 0.0);
        double enter = 0.0;
        const PointEntityList& entities = m_doc.GetPointEntities();
        for (size_t i = 0; i < entities.size(); ++i) {
            // The entities lie scattered over the heap; their origins are
            // fetched ahead of the test.
            if (i + kPrefetchDistance < entities.size())
                __builtin_prefetch(&entities[i + kPrefetchDistance]->m_origin);
            const auto& entity = entities[i];
            const IntPoint& o = entity->m_origin;
            if (!m_limits.Shows(*entity) || !m_boxes.MeetsCube(o, reach, m_pick.distance, enter))
                continue;
            if (!exact.Meets(EntityBoxOf(definitions, *entity), m_pick.distance, enter) ||
                enter <= 0.0 || enter >= m_pick.distance)
                continue;
            m_pick = {nullptr, nullptr, 0, entity.get(), enter, At(enter)};
        }
    }

    ScenePick Result() const { return m_pick.IsHit() ? m_pick : ScenePick{}; }

private:
    static int32_t LargestReach(const CEntityDefinitions* definitions) {
        int64_t reach = kDefaultEntityHalfSize;
        if (definitions) {
            for (const EntityClassDefinition& definition : definitions->GetClasses()) {
                if (!definition.size)
                    continue;
                const DefinitionPoint& a = definition.size->mins;
                const DefinitionPoint& b = definition.size->maxs;
                for (int64_t c : {a.x, a.y, a.z, b.x, b.y, b.z})
                    reach = std::max(reach, std::abs(c));
            }
        }
        return static_cast<int32_t>(std::min<int64_t>(reach, INT32_MAX));
    }

    Vec3d At(double distance) const { return m_ray.origin + m_ray.direction * distance; }

    const CTolveDoc& m_doc;
    const SceneRay& m_ray;
    CSceneLimits m_limits;
    CRayBoxTest m_boxes;
    ScenePick m_pick;
    size_t m_pickOrder = 0; // of the brush picked, in map order
};

} // namespace

IntBox EntityBoxOf(const CEntityDefinitions* definitions, const CPointEntity& entity) {
    const EntityClassDefinition* definition =
        definitions ? definitions->Find(entity.m_classname) : nullptr;
    if (!definition || !definition->size) {
        constexpr int32_t h = kDefaultEntityHalfSize;
        return BoxAround(entity.m_origin, {-h, -h, -h}, {h, h, h});
    }
    const DefinitionPoint& a = definition->size->mins;
    const DefinitionPoint& b = definition->size->maxs;
    // A size written the wrong way round still spans the same box.
    return BoxAround(entity.m_origin, {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)},
                     {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)});
}

ScenePick PickAlongRay(const CTolveDoc& doc, const SceneRay& ray) {
    if (!IsUsableRay(ray))
        return {};
    CRayPicker picker(doc, ray);
    picker.OfferIndexedBrushes();
    picker.OfferPointEntities();
    return picker.Result();
}

ScenePick PickAlongRayTestingEveryBrush(const CTolveDoc& doc, const SceneRay& ray) {
    if (!IsUsableRay(ray))
        return {};
    CRayPicker picker(doc, ray);
    picker.OfferEveryBrush();
    picker.OfferPointEntities();
    return picker.Result();
}

namespace {

int32_t NearestShownCorner(const CMapBrush& brush, const Vec3d& point, const CSceneLimits& limits) {
    int32_t nearest = 0;
    double least = kNowhere;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        const Vec3d offset = ToVec3d(brush.m_vertices[v]) - point;
        const double distance = Dot(offset, offset);
        if (limits.Shows(brush.m_vertices[v]) && distance < least) {
            least = distance;
            nearest = v;
        }
    }
    return nearest;
}

} // namespace

HoverSelection HoverFromPick(const ScenePick& pick, EditMode mode, const CSceneLimits& limits) {
    HoverSelection hover;
    if (pick.pointEntity) {
        hover.pointEntity = pick.pointEntity;
        return hover;
    }
    if (!pick.brush || (mode == kEntityMode && !pick.owner))
        return hover;
    hover.entity = pick.owner;
    hover.brush = pick.brush;
    if (mode == kFaceMode)
        hover.face = static_cast<uint8_t>(pick.face);
    else if (mode == kCornerMode)
        hover.vertex = NearestShownCorner(*pick.brush, pick.point, limits);
    return hover;
}
