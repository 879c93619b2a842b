#include "tools/DefinitionNotices.h"

#include "entity/EntityDefinitions.h"
#include "map/CTolveDoc.h"
#include "map/EntityKeys.h"

#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Whether the writer writes the key of `rule`: a text that is set or always
// written, a number its field holds or whose text the field could not hold.
template <class Entity>
bool IsWritten(const Entity& entity, const KeyRule<Entity>& rule, const CKeptTexts& kept) {
    if (rule.written == KeyWritten::kNever || !rule.AppliesTo(entity))
        return false;
    if (!kept.IsEmpty() && kept.Find(rule.name))
        return true;
    return std::visit(
        [&](auto member) {
            const auto& field = entity.*member;
            using Field = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string>)
                return rule.written != KeyWritten::kIfNotEmpty || !field.empty();
            else if constexpr (std::is_same_v<Field, IntPoint>)
                return !rule.present || entity.*rule.present;
            else
                return (!rule.present || entity.*rule.present) &&
                       !(rule.written == KeyWritten::kIfNotZero && field == 0) &&
                       !(rule.written == KeyWritten::kIfNotNegative && field < 0);
        },
        rule.field);
}

// The keys an entity has, as the map would be written.
template <class Entity>
std::vector<std::string> KeyNames(const Entity& entity, std::span<const KeyRule<Entity>> rules,
                                  const CKeptTexts& kept, const CustomPairList& others) {
    std::vector<std::string> names;
    for (const KeyRule<Entity>& rule : rules) {
        if (IsWritten(entity, rule, kept))
            names.emplace_back(rule.name);
    }
    for (const CustomPair& pair : others) {
        if (!pair.key.empty())
            names.push_back(pair.key);
    }
    return names;
}

bool IsFgdClass(const EntityClassDefinition& definition) {
    const std::string& file = definition.file;
    if (file.size() < 4)
        return false;
    std::string extension = file.substr(file.size() - 4);
    for (char& c : extension)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return extension == ".fgd";
}

bool IsPassedOver(const std::string& key, const EntityClassDefinition& definition) {
    if (key == "classname" || key == "origin" || key.starts_with('_'))
        return true;
    if (key == "spawnflags" && !definition.flags.empty())
        return true;
    return definition.name == "worldspawn" && (key == "wad" || key == "mapversion");
}

// The names of the keys each class declares, found once for all entities of
// the class rather than looked for key by key among its keys.
using DeclaredKeys =
    std::unordered_map<const EntityClassDefinition*, std::unordered_set<std::string_view>>;

const std::unordered_set<std::string_view>& KeysOf(const EntityClassDefinition& definition,
                                                   DeclaredKeys& declared) {
    auto [names, added] = declared.try_emplace(&definition);
    if (added) {
        for (const KeyDefinition& key : definition.keys)
            names->second.insert(key.name);
    }
    return names->second;
}

void PrintEntityNotices(const std::string& className, const std::string& entityName,
                        const std::vector<std::string>& keys, const CEntityDefinitions& definitions,
                        DeclaredKeys& declared, const char* path, FILE* out) {
    const EntityClassDefinition* definition = definitions.Find(className);
    if (!definition) {
        std::fprintf(out, "%s: notice: %s: the definitions have no class \"%s\"\n", path,
                     entityName.c_str(), className.c_str());
        return;
    }
    if (!IsFgdClass(*definition))
        return;
    const std::unordered_set<std::string_view>& names = KeysOf(*definition, declared);
    for (const std::string& key : keys) {
        if (!IsPassedOver(key, *definition) && !names.contains(key))
            std::fprintf(out, "%s: notice: %s: key \"%s\" is not declared by class \"%s\"\n", path,
                         entityName.c_str(), key.c_str(), className.c_str());
    }
}

std::string PointEntityName(const CPointEntity& entity) {
    const IntPoint& origin = entity.m_origin;
    return entity.m_classname + " at (" + std::to_string(origin.x) + " " +
           std::to_string(origin.y) + " " + std::to_string(origin.z) + ")";
}

} // namespace

void PrintDefinitionNotices(const CTolveDoc& doc, const CEntityDefinitions& definitions,
                            const char* path, FILE* out) {
    const CWorldKeys& world = doc;
    std::vector<std::string> worldKeys =
        KeyNames(world, WorldKeys(), world.m_worldKeptTexts, world.m_worldOtherPairs);
    DeclaredKeys declared;
    PrintEntityNotices("worldspawn", "worldspawn", worldKeys, definitions, declared, path, out);
    int number = 0;
    for (const auto& entity : doc.GetModelEntities()) {
        const std::string name =
            entity->m_classname + " (brush entity " + std::to_string(++number) + ")";
        PrintEntityNotices(entity->m_classname, name,
                           KeyNames<CModelEntityKeys>(*entity, ModelEntityKeys(),
                                                      entity->m_keptTexts, entity->m_otherPairs),
                           definitions, declared, path, out);
    }
    for (const auto& entity : doc.GetPointEntities()) {
        PrintEntityNotices(
            entity->m_classname, PointEntityName(*entity),
            KeyNames(*entity, PointEntityKeys(), entity->m_keptTexts, entity->m_otherPairs),
            definitions, declared, path, out);
    }
}
