#include "map/MapSearch.h"

#include "framework/TextCase.h"
#include "framework/TextToNumber.h"
#include "map/CMapWriter.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CTolveDoc.h"
#include "map/MapOrder.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsNumberTest(ValueTest test) {
    return test == ValueTest::kNumberEqual || test == ValueTest::kNumberBelow ||
           test == ValueTest::kNumberAbove;
}

bool ValuePasses(const std::string& value, const FindQuery& query) {
    switch (query.test) {
    case ValueTest::kIs:
        return SameTextInAnyCase(value, query.text);
    case ValueTest::kContains:
        return HoldsTextInAnyCase(value, query.text);
    default:
        break;
    }
    double number = 0.0, wanted = 0.0;
    if (!ParseWholeDouble(value.c_str(), number) || !ParseWholeDouble(query.text.c_str(), wanted))
        return false;
    return query.test == ValueTest::kNumberEqual   ? number == wanted
           : query.test == ValueTest::kNumberBelow ? number < wanted
                                                   : number > wanted;
}

CustomPairList KeysOf(const FoundObject& entity) {
    if (entity.pointEntity)
        return CMapWriter::ListKeys(*entity.pointEntity);
    if (entity.modelEntity)
        return CMapWriter::ListKeys(*entity.modelEntity);
    return {};
}

// The last value of the key, as the game takes a key written twice.
const std::string* ValueOf(const CustomPairList& pairs, std::string_view key) {
    const std::string* value = nullptr;
    for (const CustomPair& pair : pairs) {
        if (pair.key == key)
            value = &pair.value;
    }
    return value;
}

bool EntityPasses(const FoundObject& entity, const FindQuery& query) {
    const CustomPairList pairs = KeysOf(entity);
    const std::string* value =
        ValueOf(pairs, query.by == FindBy::kClassName ? std::string_view("classname") : query.key);
    if (!value)
        return false;
    if (query.by == FindBy::kClassName)
        return SameTextInAnyCase(*value, query.text);
    return ValuePasses(*value, query);
}

// Every entity of the map but the world, in map order.
std::vector<FoundObject> EntitiesInMapOrder(const CTolveDoc& doc) {
    std::vector<FoundObject> entities;
    for (const MapOrderEntry& entry :
         ArrangeInMapOrder(&doc.GetModelEntities(), &doc.GetPointEntities())) {
        FoundObject found{.entityNumber = entities.size() + 1};
        if (entry.point)
            found.pointEntity = doc.GetPointEntities()[entry.index].get();
        else
            found.modelEntity = doc.GetModelEntities()[entry.index].get();
        entities.push_back(found);
    }
    return entities;
}

void FindTextureIn(const BrushList& brushes, const FoundObject& owner, const std::string& texture,
                   std::vector<FoundObject>& found) {
    for (size_t b = 0; b < brushes.size(); ++b) {
        const CMapBrush& brush = *brushes[b];
        int faces = 0;
        for (int f = 0; f < brush.m_numFaces; ++f)
            faces += SameTextInAnyCase(brush.m_faces[f].texture, texture);
        if (faces > 0) {
            found.push_back({.brush = brushes[b].get(),
                             .owner = owner.modelEntity,
                             .faces = faces,
                             .entityNumber = owner.entityNumber,
                             .brushNumber = b + 1});
        }
    }
}

// The entities whose `key` has one of the values (none empty), in map order.
std::vector<FoundObject> EntitiesNaming(const CTolveDoc& doc,
                                        std::initializer_list<std::string_view> keys,
                                        const std::vector<std::string>& values) {
    std::vector<FoundObject> found;
    if (values.empty())
        return found;
    for (const FoundObject& entity : EntitiesInMapOrder(doc)) {
        const CustomPairList pairs = KeysOf(entity);
        const bool named = std::any_of(keys.begin(), keys.end(), [&](std::string_view key) {
            const std::string* value = ValueOf(pairs, key);
            return value && std::find(values.begin(), values.end(), *value) != values.end();
        });
        if (named)
            found.push_back(entity);
    }
    return found;
}

std::vector<std::string> ValuesOf(const FoundObject& entity,
                                  std::initializer_list<std::string_view> keys) {
    std::vector<std::string> values;
    const CustomPairList pairs = KeysOf(entity);
    for (std::string_view key : keys) {
        const std::string* value = ValueOf(pairs, key);
        if (value && !value->empty())
            values.push_back(*value);
    }
    return values;
}

} // namespace

std::optional<std::string> FindQueryProblem(const FindQuery& query) {
    if (query.by == FindBy::kKeyValue && query.key.empty())
        return "Type the key whose value to look at.";
    if (query.by != FindBy::kKeyValue && query.text.empty())
        return query.by == FindBy::kTexture ? "Type the name of the texture to find."
                                            : "Type the class name to find.";
    double number = 0.0;
    if (query.by == FindBy::kKeyValue && IsNumberTest(query.test) &&
        !ParseWholeDouble(query.text.c_str(), number))
        return "Type a number to compare the values with.";
    return std::nullopt;
}

std::vector<FoundObject> FindObjects(const CTolveDoc& doc, const FindQuery& query) {
    std::vector<FoundObject> found;
    if (FindQueryProblem(query))
        return found;
    if (query.by == FindBy::kTexture) {
        FindTextureIn(doc.GetWorldBrushes(), FoundObject{}, query.text, found);
        for (const FoundObject& entity : EntitiesInMapOrder(doc)) {
            if (entity.modelEntity)
                FindTextureIn(entity.modelEntity->m_brushes, entity, query.text, found);
        }
        return found;
    }
    for (const FoundObject& entity : EntitiesInMapOrder(doc)) {
        if (EntityPasses(entity, query))
            found.push_back(entity);
    }
    return found;
}

std::vector<FoundObject> FindTargetsOf(const CTolveDoc& doc, const FoundObject& entity) {
    return EntitiesNaming(doc, {"targetname"}, ValuesOf(entity, {"target", "killtarget"}));
}

std::vector<FoundObject> FindTargetersOf(const CTolveDoc& doc, const FoundObject& entity) {
    return EntitiesNaming(doc, {"target", "killtarget"}, ValuesOf(entity, {"targetname"}));
}

std::optional<FoundObject> FindEntityAgain(const CTolveDoc& doc, const FoundObject& entity) {
    for (const FoundObject& each : EntitiesInMapOrder(doc)) {
        if (each.pointEntity == entity.pointEntity && each.modelEntity == entity.modelEntity)
            return each;
    }
    return std::nullopt;
}

std::optional<FoundObject> EntityOfSet(const CTolveDoc& doc, const CSelectionSet& set) {
    if (set.IsEmpty())
        return std::nullopt;
    for (const FoundObject& entity : EntitiesInMapOrder(doc)) {
        const bool alone =
            entity.pointEntity
                ? set.GetBrushes().empty() && set.GetPointEntities().size() == 1 &&
                      set.Contains(*entity.pointEntity)
                : set.GetPointEntities().empty() &&
                      set.GetBrushes().size() == entity.modelEntity->m_brushes.size() &&
                      std::all_of(entity.modelEntity->m_brushes.begin(),
                                  entity.modelEntity->m_brushes.end(),
                                  [&](const auto& brush) { return set.Contains(*brush); });
        if (alone)
            return entity;
    }
    return std::nullopt;
}

std::string DescribeFound(const FoundObject& found) {
    if (found.brush) {
        const std::string owner = found.owner ? found.owner->m_classname : "worldspawn";
        return "entity " + std::to_string(found.entityNumber) + " (" + owner + "), brush " +
               std::to_string(found.brushNumber) + ": " + std::to_string(found.faces) +
               (found.faces == 1 ? " face" : " faces");
    }
    const CustomPairList pairs = KeysOf(found);
    const std::string* classname = ValueOf(pairs, "classname");
    const std::string* targetname = ValueOf(pairs, "targetname");
    std::string text = "entity " + std::to_string(found.entityNumber) + " (" +
                       (classname ? *classname : std::string()) + ")";
    if (targetname && !targetname->empty())
        text += " \"" + *targetname + "\"";
    return text;
}

EditMode ModeForFound(const std::vector<FoundObject>& found) {
    return std::any_of(found.begin(), found.end(),
                       [](const FoundObject& object) { return object.pointEntity != nullptr; })
               ? kEntityMode
               : kBrushMode;
}

CSelectionSet SelectionOfFound(const std::vector<FoundObject>& found, EditMode mode) {
    CSelectionSet set;
    for (const FoundObject& object : found) {
        if (mode == kEntityMode) {
            if (object.pointEntity)
                set.Add(*object.pointEntity);
            continue;
        }
        if (object.brush)
            set.Add(*object.brush, CSelectionSet::kWholeBrush);
        if (object.modelEntity) {
            for (const auto& brush : object.modelEntity->m_brushes)
                set.Add(*brush, CSelectionSet::kWholeBrush);
        }
    }
    return set;
}
