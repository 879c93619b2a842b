#include "map/SelectionSetEdits.h"

#include "map/CMapEdits.h"
#include "map/CStandardFaceMemo.h"
#include "map/FragmentPlacement.h"
#include "map/MapGroups.h"
#include "map/ObjectBounds.h"

#include <algorithm>

namespace {

// The corners a mask names: corners themselves, or the corners of faces.
int CornersOf(const CMapBrush& brush, EditMode mode, uint64_t parts, int (&corners)[64]) {
    uint64_t chosen = 0;
    if (mode == kCornerMode) {
        chosen = parts;
    } else if (mode == kFaceMode) {
        for (int f = 0; f < brush.m_numFaces; ++f) {
            if (parts & PartBit(f)) {
                const BrushFace& face = brush.m_faces[f];
                for (int k = 0; k < face.numPoints; ++k)
                    chosen |= PartBit(face.vertexIndex[k]);
            }
        }
    }
    int count = 0;
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (chosen & PartBit(v))
            corners[count++] = v;
    }
    return count;
}

bool TakesWholeBrushes(EditMode mode) {
    return mode == kBrushMode;
}

} // namespace

std::optional<IntBox> BoundsOfSet(const CSelectionSet& set, EditMode mode) {
    std::optional<IntBox> box;
    for (const auto& [brush, parts] : set.GetBrushes()) {
        if (TakesWholeBrushes(mode)) {
            Grow(box, BoundsOf(*brush));
            continue;
        }
        int corners[64];
        const int count = CornersOf(*brush, mode, parts, corners);
        for (int k = 0; k < count; ++k)
            Grow(box, brush->m_vertices[corners[k]]);
    }
    for (const CPointEntity* entity : set.GetPointEntities())
        Grow(box, entity->m_origin);
    return box;
}

namespace {

// The set's brushes in the order they lie in memory, which for a map as read
// is its order: an edit of a hundred thousand brushes then walks the memory
// once instead of jumping about in the order of the set's hash table.
std::vector<std::pair<CMapBrush*, uint64_t>> BrushesInMemoryOrder(const CSelectionSet& set) {
    std::vector<std::pair<CMapBrush*, uint64_t>> brushes(set.GetBrushes().begin(),
                                                         set.GetBrushes().end());
    std::sort(brushes.begin(), brushes.end(), [](const auto& a, const auto& b) {
        return std::less<const CMapBrush*>()(a.first, b.first);
    });
    return brushes;
}

} // namespace

void MoveObjects(CMapEdits& edits, const CSelectionSet& set, EditMode mode, IntPoint delta) {
    for (const auto& [brush, parts] : BrushesInMemoryOrder(set)) {
        if (TakesWholeBrushes(mode)) {
            edits.MoveBrush(*brush, delta);
            continue;
        }
        int corners[64];
        const int count = CornersOf(*brush, mode, parts, corners);
        edits.MoveVertices(*brush, std::span(corners, static_cast<size_t>(count)), delta);
    }
    for (CPointEntity* entity : set.GetPointEntities())
        edits.MovePointEntity(*entity, delta);
}

std::vector<std::string> DeleteObjects(CMapEdits& edits, const CTolveDoc& doc,
                                       const CSelectionSet& set, EditMode mode) {
    std::vector<std::string> emptied;
    if (mode == kBrushMode) {
        std::vector<std::pair<CModelEntity*, CMapBrush*>> brushes;
        ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
            brushes.emplace_back(owner, &brush);
        });
        // From the last back: nothing after a removed brush is left to move.
        for (auto it = brushes.rbegin(); it != brushes.rend(); ++it) {
            const auto& [owner, brush] = *it;
            const std::string classname = owner ? owner->m_classname : std::string();
            if (edits.RemoveBrush(owner, *brush) == BrushRemoval::kBrushAndEntity)
                emptied.push_back(classname);
        }
        std::reverse(emptied.begin(), emptied.end());
    } else if (mode == kEntityMode) {
        std::vector<CPointEntity*> entities;
        for (const auto& entity : doc.GetPointEntities()) {
            if (set.Contains(*entity))
                entities.push_back(entity.get());
        }
        for (auto it = entities.rbegin(); it != entities.rend(); ++it)
            edits.RemovePointEntity(**it);
    }
    return emptied;
}

namespace {

// The fragment of copies FragmentOfSet makes; `made` is given each brush copy
// as soon as it is made, while it is still in the cache.
template <class Made>
MapFragment CopiesOfSet(const CTolveDoc& doc, const CSelectionSet& set, EditMode mode,
                        Made&& made) {
    MapFragment fragment;
    // Copies of a Valve map's brushes keep their axes on the clipboard.
    fragment.format = doc.m_mapFormat;
    if (mode == kEntityMode) {
        for (const auto& entity : doc.GetPointEntities()) {
            if (set.Contains(*entity))
                fragment.pointEntities.push_back(std::make_unique<CPointEntity>(*entity));
        }
        return fragment;
    }
    const CModelEntity* lastOwner = nullptr;
    ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
        auto copy = std::make_unique<CMapBrush>(brush);
        made(*copy);
        if (!owner) {
            fragment.worldBrushes.push_back(std::move(copy));
            return;
        }
        // Only the keys: the entity's other brushes are not part of the set.
        if (owner != lastOwner) {
            auto entity = std::make_unique<CModelEntity>();
            static_cast<CModelEntityKeys&>(*entity) = *owner;
            fragment.modelEntities.push_back(std::move(entity));
            lastOwner = owner;
        }
        fragment.modelEntities.back()->m_brushes.push_back(std::move(copy));
    });
    return fragment;
}

} // namespace

MapFragment FragmentOfSet(const CTolveDoc& doc, const CSelectionSet& set, EditMode mode) {
    return CopiesOfSet(doc, set, mode, [](CMapBrush&) {});
}

CSelectionSet AddFragmentAsSet(CMapEdits& edits, CTolveDoc& doc, MapFragment&& fragment,
                               EditMode mode) {
    const size_t worldBefore = doc.GetWorldBrushes().size();
    const size_t entitiesBefore = doc.GetModelEntities().size();
    const size_t pointsBefore = doc.GetPointEntities().size();
    GiveGroupsFreshIds(doc, fragment);
    AddFragment(edits, std::move(fragment));
    // The objects went to the ends of the lists.
    CSelectionSet added;
    if (mode == kBrushMode) {
        const BrushList& world = doc.GetWorldBrushes();
        for (size_t i = worldBefore; i < world.size(); ++i)
            added.Add(*world[i], CSelectionSet::kWholeBrush);
        const ModelEntityList& entities = doc.GetModelEntities();
        for (size_t i = entitiesBefore; i < entities.size(); ++i) {
            for (const auto& brush : entities[i]->m_brushes)
                added.Add(*brush, CSelectionSet::kWholeBrush);
        }
    } else if (mode == kEntityMode) {
        const PointEntityList& points = doc.GetPointEntities();
        for (size_t i = pointsBefore; i < points.size(); ++i)
            added.Add(*points[i]);
    }
    return added;
}

CSelectionSet DuplicateObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                               EditMode mode, IntPoint delta) {
    // Each copy moves as soon as it is made, while it is in the cache: moved
    // once all are made, a hundred thousand would come from memory again.
    CStandardFaceMemo memo;
    MapFragment copies = CopiesOfSet(doc, set, mode, [&](CMapBrush& copy) {
        MoveFragmentBrush(copy, delta, doc.m_textureLock, memo);
    });
    for (auto& entity : copies.pointEntities)
        MoveFragmentPointEntity(*entity, delta);
    return AddFragmentAsSet(edits, doc, std::move(copies), mode);
}

namespace {

// The grid line nearest to half of `doubled`, ties to the even line.
int32_t SnapHalf(int64_t doubled, int64_t step) {
    const int64_t cell = 2 * step;
    int64_t line = doubled >= 0 ? doubled / cell : -((-doubled + cell - 1) / cell);
    const int64_t rest = doubled - line * cell;
    if (rest > step || (rest == step && line % 2 != 0))
        ++line;
    return static_cast<int32_t>(line * step);
}

} // namespace

IntPoint TurnCentreOf(const IntBox& box, int32_t snap) {
    const int64_t step = std::max(snap, 1);
    return {SnapHalf(int64_t{box.min.x} + box.max.x, step),
            SnapHalf(int64_t{box.min.y} + box.max.y, step),
            SnapHalf(int64_t{box.min.z} + box.max.z, step)};
}

void TurnObjects(CMapEdits& edits, const CSelectionSet& set, EditMode mode, const PlaneTurn& turn) {
    if (mode == kBrushMode) {
        for (const auto& [brush, parts] : BrushesInMemoryOrder(set))
            edits.TurnBrush(*brush, turn);
    }
    for (CPointEntity* entity : set.GetPointEntities())
        edits.TurnPointEntity(*entity, turn);
}

void MoveBrushesToOwner(CMapEdits& edits, const CTolveDoc& doc, const CSelectionSet& set,
                        CModelEntity* to) {
    std::vector<std::pair<CModelEntity*, CMapBrush*>> brushes;
    ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
        if (owner != to)
            brushes.emplace_back(owner, &brush);
    });
    for (const auto& [owner, brush] : brushes)
        edits.MoveBrushToOwner(*brush, owner, to);
}
