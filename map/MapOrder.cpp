#include "map/MapOrder.h"

#include <algorithm>

std::vector<MapOrderEntry> ArrangeInMapOrder(const ModelEntityList* models,
                                             const PointEntityList* points) {
    struct Placed {
        uint64_t order;
        MapOrderEntry entry;
    };
    std::vector<Placed> placed;
    placed.reserve((models ? models->size() : 0) + (points ? points->size() : 0));
    if (models) {
        for (size_t i = 0; i < models->size(); ++i)
            placed.push_back({(*models)[i]->m_mapOrder, {false, i}});
    }
    if (points) {
        for (size_t i = 0; i < points->size(); ++i)
            placed.push_back({(*points)[i]->m_mapOrder, {true, i}});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.order < b.order; });
    std::vector<MapOrderEntry> entries;
    entries.reserve(placed.size());
    for (const Placed& p : placed)
        entries.push_back(p.entry);
    return entries;
}

uint64_t FindLastMapOrder(const ModelEntityList& models, const PointEntityList& points) {
    uint64_t last = 0;
    for (const auto& entity : models)
        last = std::max(last, entity->m_mapOrder);
    for (const auto& entity : points)
        last = std::max(last, entity->m_mapOrder);
    return last;
}
