#include "map/CMapDefinitions.h"

#include "map/CWorldKeys.h"
#include "texture/WadListText.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kExternal = "external:";

const CustomPair* FindWorldPair(const CWorldKeys& world, std::string_view key) {
    const auto& pairs = world.m_worldOtherPairs;
    const auto found =
        std::find_if(pairs.begin(), pairs.end(), [&](const CustomPair& p) { return p.key == key; });
    return found == pairs.end() ? nullptr : &*found;
}

} // namespace

std::vector<std::string> GetDefinitionEntries(const CWorldKeys& world) {
    if (const CustomPair* own = FindWorldPair(world, kDefinitionsKey))
        return SplitWadListNames(own->value);
    const CustomPair* other = FindWorldPair(world, kOtherEditorDefinitionKey);
    if (other && other->value.starts_with(kExternal))
        return {other->value.substr(kExternal.size())};
    return {};
}

std::string GetDefinitionsValue(const CWorldKeys& world) {
    const CustomPair* own = FindWorldPair(world, kDefinitionsKey);
    return own ? own->value : std::string();
}

void SetDefinitionsValue(CWorldKeys& world, const std::string& value) {
    auto& pairs = world.m_worldOtherPairs;
    const auto found = std::find_if(pairs.begin(), pairs.end(),
                                    [](const CustomPair& p) { return p.key == kDefinitionsKey; });
    if (value.empty()) {
        if (found != pairs.end())
            pairs.erase(found);
    } else if (found != pairs.end()) {
        found->value = value;
    } else {
        pairs.push_back({kDefinitionsKey, value});
    }
}

std::vector<std::string> OfferedClassNames(const CEntityDefinitions* definitions,
                                           EntityClassKind kind,
                                           const std::vector<std::string>& builtIn) {
    if (!definitions)
        return builtIn;
    std::vector<std::string> names = definitions->GetClassNames(kind);
    std::erase(names, std::string("worldspawn"));
    return names;
}

int32_t LargestPointClassReach(const CEntityDefinitions* definitions) {
    int64_t reach = 0;
    if (!definitions)
        return 0;
    for (const EntityClassDefinition& definition : definitions->GetClasses()) {
        if (!definition.size)
            continue;
        for (const DefinitionPoint& p : {definition.size->mins, definition.size->maxs})
            reach = std::max<int64_t>({reach, std::llabs(int64_t{p.x}), std::llabs(int64_t{p.y}),
                                       std::llabs(int64_t{p.z})});
    }
    return static_cast<int32_t>(std::min<int64_t>(reach, INT32_MAX));
}

void MoveDefinitionEntries(CWorldKeys& world, const std::string& oldFolder,
                           const std::string& newFolder) {
    std::string value = GetDefinitionsValue(world);
    if (value.empty() || oldFolder.empty() || oldFolder == newFolder)
        return;
    // From the last entry back, so that the offsets of those before stay.
    const std::vector<WadListEntry> entries = SplitWadList(value);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (auto moved = MoveWadEntry(entry->name, oldFolder, newFolder))
            value = ReplaceWadListEntry(value, *entry, *moved);
    }
    SetDefinitionsValue(world, value);
}

std::string DescribeDefinitionEntry(const std::string& entry, const TextureSearchPaths& paths) {
    const std::optional<FoundTextureFile> found = LocateTextureFile(entry, paths);
    if (!found)
        return "missing";
    if (found->place == TextureFilePlace::kTextureFolderByName)
        return found->path + " (by its file name, in a definition folder)";
    const std::string place = DescribeTextureFilePlace(found->place);
    return place.empty() ? found->path : found->path + " (" + place + ")";
}

void CMapDefinitions::SetFolders(const std::vector<std::string>& folders) {
    m_folders = folders;
}

const CEntityDefinitions* CMapDefinitions::Get(const CWorldKeys& world,
                                               const std::string& mapFolder) const {
    const std::vector<std::string> entries = GetDefinitionEntries(world);
    const TextureSearchPaths paths{mapFolder, m_folders};
    if (!m_read || entries != m_readEntries || paths.mapFolder != m_readPaths.mapFolder ||
        paths.textureFolders != m_readPaths.textureFolders)
        Read(entries, paths);
    return m_definitions.get();
}

void CMapDefinitions::Read(const std::vector<std::string>& entries,
                           const TextureSearchPaths& paths) const {
    m_read = true;
    m_readEntries = entries;
    m_readPaths = paths;
    m_problems.clear();
    m_unlistedProblems = 0;
    m_definitions.reset();
    if (entries.empty())
        return;
    auto definitions = std::make_unique<CEntityDefinitions>();
    for (const std::string& entry : entries) {
        if (const std::optional<FoundTextureFile> found = LocateTextureFile(entry, paths))
            definitions->ReadFile(found->path);
        else
            m_problems.push_back(entry + ": not found in the map's folder or the definition "
                                         "folders");
    }
    for (const DefinitionProblem& problem : definitions->GetProblems()) {
        const std::string line = problem.line > 0 ? ":" + std::to_string(problem.line) : "";
        m_problems.push_back(problem.file + line + ": " + problem.message);
    }
    m_unlistedProblems = definitions->GetProblemCount() - definitions->GetProblems().size();
    m_definitions = std::move(definitions);
}
