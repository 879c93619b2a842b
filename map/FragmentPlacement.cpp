#include "map/FragmentPlacement.h"

#include "map/CMapEdits.h"
#include "map/MapOrder.h"
#include "map/ObjectBounds.h"
#include "map/TextureLock.h"

#include <algorithm>
#include <utility>

namespace {

void GrowByBrushes(std::optional<IntBox>& box, const BrushList& brushes) {
    for (const auto& brush : brushes)
        Grow(box, BoundsOf(*brush));
}

// Wraps at 32 bits like every other coordinate step of the editor.
IntPoint Moved(const IntPoint& p, const IntPoint& delta) {
    auto add = [](int32_t a, int32_t b) {
        return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
    };
    return {add(p.x, delta.x), add(p.y, delta.y), add(p.z, delta.z)};
}

} // namespace

std::optional<IntBox> BoundsOf(const MapFragment& fragment) {
    std::optional<IntBox> box;
    GrowByBrushes(box, fragment.worldBrushes);
    for (const auto& entity : fragment.modelEntities)
        GrowByBrushes(box, entity->m_brushes);
    for (const auto& entity : fragment.pointEntities)
        Grow(box, entity->m_origin);
    return box;
}

void MoveFragmentBrush(CMapBrush& brush, const IntPoint& delta, bool moveTextures,
                       CStandardFaceMemo& memo) {
    for (int v = 0; v < brush.m_numVertices; ++v)
        brush.m_vertices[v] = Moved(brush.m_vertices[v], delta);
    // The plane points as read are where the brush was, not where it is.
    brush.ForgetReadPlanes();
    if (moveTextures)
        MoveTexturesWithBrush(brush, delta, &memo);
    // Worked out now, while the brush is in the cache, rather than when the
    // map takes it in, many brushes later.
    brush.GetBounds();
}

void MoveFragmentPointEntity(CPointEntity& entity, const IntPoint& delta) {
    entity.m_origin = Moved(entity.m_origin, delta);
    entity.m_hasOrigin = true;
    entity.m_keptTexts.Forget("origin");
}

void MoveFragment(MapFragment& fragment, IntPoint delta, bool moveTextures) {
    CStandardFaceMemo memo;
    for (auto& brush : fragment.worldBrushes)
        MoveFragmentBrush(*brush, delta, moveTextures, memo);
    for (auto& entity : fragment.modelEntities) {
        for (auto& brush : entity->m_brushes)
            MoveFragmentBrush(*brush, delta, moveTextures, memo);
    }
    for (auto& entity : fragment.pointEntities)
        MoveFragmentPointEntity(*entity, delta);
}

void AddFragment(CMapEdits& edits, MapFragment&& fragment) {
    for (auto& brush : fragment.worldBrushes)
        edits.AddBrush(nullptr, std::move(brush));
    // New to the map, the entities take the places after its own, in the
    // order they had among themselves.
    for (const MapOrderEntry& entry :
         ArrangeInMapOrder(&fragment.modelEntities, &fragment.pointEntities)) {
        if (entry.point) {
            fragment.pointEntities[entry.index]->m_mapOrder = 0;
            edits.AddPointEntity(std::move(fragment.pointEntities[entry.index]));
        } else {
            fragment.modelEntities[entry.index]->m_mapOrder = 0;
            edits.AddModelEntity(std::move(fragment.modelEntities[entry.index]));
        }
    }
    fragment.worldBrushes.clear();
    fragment.modelEntities.clear();
    fragment.pointEntities.clear();
}
