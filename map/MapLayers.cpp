#include "map/MapLayers.h"

#include "framework/TextToNumber.h"
#include "map/CTolveDoc.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

const std::string* ValueOf(const CustomPairList& pairs, std::string_view key) {
    const auto found =
        std::ranges::find_if(pairs, [&](const CustomPair& pair) { return pair.key == key; });
    return found == pairs.end() ? nullptr : &found->value;
}

bool IsLayer(const CustomPairList& pairs) {
    const std::string* type = ValueOf(pairs, "_tb_type");
    return type && *type == "_tb_layer";
}

// The layer's own entity: the keys that name it and where it sorts.
struct LayerEntity {
    MapLayer layer;
    int sortIndex = INT_MAX;
};

LayerEntity LayerOf(const CustomPairList& pairs) {
    LayerEntity entity;
    const std::string* name = ValueOf(pairs, "_tb_name");
    const std::string* id = ValueOf(pairs, "_tb_id");
    const std::string* sort = ValueOf(pairs, "_tb_layer_sort_index");
    entity.layer.name = name ? *name : std::string();
    entity.layer.id = id ? *id : std::string();
    if (sort)
        entity.sortIndex = ParseInt(sort->c_str());
    return entity;
}

void AddBrushes(CSelectionSet& set, const BrushList& brushes) {
    for (const auto& brush : brushes)
        set.Add(*brush, CSelectionSet::kWholeBrush);
}

} // namespace

std::vector<MapLayer> ReadMapLayers(const CTolveDoc& doc) {
    std::vector<LayerEntity> layers;
    for (const auto& entity : doc.GetModelEntities()) {
        if (IsLayer(entity->m_otherPairs)) {
            layers.push_back(LayerOf(entity->m_otherPairs));
            AddBrushes(layers.back().layer.members, entity->m_brushes);
        }
    }
    // A layer without brushes is read as an entity of one point.
    for (const auto& entity : doc.GetPointEntities()) {
        if (IsLayer(entity->m_otherPairs))
            layers.push_back(LayerOf(entity->m_otherPairs));
    }
    std::ranges::stable_sort(layers, {}, &LayerEntity::sortIndex);

    MapLayer world{kDefaultLayerName, {}, {}};
    AddBrushes(world.members, doc.GetWorldBrushes());
    // The members of the layer `pairs` names, the default one when none.
    auto layerNamedBy = [&](const CustomPairList& pairs) -> CSelectionSet& {
        if (const std::string* id = ValueOf(pairs, "_tb_layer")) {
            for (LayerEntity& entity : layers) {
                if (entity.layer.id == *id)
                    return entity.layer.members;
            }
        }
        return world.members;
    };
    for (const auto& entity : doc.GetModelEntities()) {
        if (!IsLayer(entity->m_otherPairs))
            AddBrushes(layerNamedBy(entity->m_otherPairs), entity->m_brushes);
    }
    for (const auto& entity : doc.GetPointEntities()) {
        if (!IsLayer(entity->m_otherPairs))
            layerNamedBy(entity->m_otherPairs).Add(*entity);
    }
    std::vector<MapLayer> result{std::move(world)};
    for (LayerEntity& entity : layers)
        result.push_back(std::move(entity.layer));
    return result;
}
