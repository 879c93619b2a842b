#include "map/MapSourceText.h"

#include "map/CMapBrush.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"

void ApplySavedSpans(const SavedSpans& spans, const CWorldKeys& world) {
    world.m_worldSource = spans.world;
    for (const auto& [brush, span] : spans.brushes)
        brush->m_source = span;
    for (const auto& [entity, span] : spans.pointEntities)
        entity->m_source = span;
    for (const auto& [entity, span] : spans.modelEntities)
        entity->m_source = span;
}
