#include "texture/CTextureBrowserModel.h"

#include "texture/CTextureWad.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr const char* kNotInFilesTitle = "Not in the texture files";

std::string FileGroupTitle(const TextureWadEntry& entry) {
    if (entry.state == TextureFileState::kLoaded)
        return entry.name;
    return entry.name + " (" + DescribeTextureFileState(entry.state) + ")";
}

} // namespace

void CTextureBrowserModel::Rebuild(const CTextureWad& wad, const TextureUses& uses) {
    m_groups.clear();
    m_textures.clear();
    // The files that loaded are the entries that did, in list order.
    std::vector<int> fileGroups;
    for (const TextureWadEntry& entry : wad.GetEntries()) {
        const bool loaded = entry.state == TextureFileState::kLoaded;
        if (loaded)
            fileGroups.push_back(static_cast<int>(m_groups.size()));
        m_groups.push_back(
            {FileGroupTitle(entry), loaded ? GroupKind::kFile : GroupKind::kMissingFile});
    }
    for (int index = 0; index < wad.GetTextureCount(); ++index) {
        const std::string& name = wad.GetTextureName(index);
        m_textures.push_back(
            {name, FoldTextureName(name), fileGroups.at(wad.GetTextureFileIndex(index)), 0, false});
    }
    // The catalogue's names are sorted already; the sort keeps that order
    // within each file.
    std::stable_sort(m_textures.begin(), m_textures.end(),
                     [](const Texture& a, const Texture& b) { return a.group < b.group; });
    // The compilers take a name in any case from the first file holding it;
    // the same name in another case is shown there once.
    std::unordered_set<std::string> listed;
    std::erase_if(m_textures, [&listed](const Texture& texture) {
        return !listed.insert(texture.folded).second;
    });
    m_heldCount = m_textures.size();
    m_groups.push_back({kNotInFilesTitle, GroupKind::kNotInFiles});
    SetUses(uses);
}

void CTextureBrowserModel::SetUses(const TextureUses& uses) {
    m_textures.resize(m_heldCount);
    for (Texture& texture : m_textures) {
        const auto found = uses.find(texture.folded);
        texture.uses = found == uses.end() ? 0 : found->second.faces;
    }
    ListUnheldTextures(uses);
    ApplyFilter();
}

// A used name that files hold in another case is theirs; the others go in
// the last group, by name.
void CTextureBrowserModel::ListUnheldTextures(const TextureUses& uses) {
    std::unordered_set<std::string> held;
    held.reserve(m_heldCount);
    for (const Texture& texture : m_textures)
        held.insert(texture.folded);
    const int group = static_cast<int>(m_groups.size()) - 1;
    for (const auto& [folded, use] : uses) {
        if (!held.contains(folded))
            m_textures.push_back({use.name, folded, group, use.faces, true});
    }
    std::sort(m_textures.begin() + static_cast<std::ptrdiff_t>(m_heldCount), m_textures.end(),
              [](const Texture& a, const Texture& b) { return a.folded < b.folded; });
}

void CTextureBrowserModel::SetFilter(std::string_view text, bool usedOnly) {
    m_filter = std::string(text);
    m_foldedFilter = FoldTextureName(text);
    m_usedOnly = usedOnly;
    ApplyFilter();
}

bool CTextureBrowserModel::IsShown(const Texture& texture) const {
    if (m_usedOnly && texture.uses == 0)
        return false;
    return texture.folded.find(m_foldedFilter) != std::string::npos;
}

void CTextureBrowserModel::ApplyFilter() {
    m_rows.clear();
    m_textureRows.assign(m_textures.size(), -1);
    // A file that did not load is shown for what it is while nothing is
    // filtered out; it has no textures to list.
    const bool unfiltered = m_foldedFilter.empty() && !m_usedOnly;
    size_t next = 0;
    for (size_t group = 0; group < m_groups.size(); ++group) {
        const size_t heading = m_rows.size();
        if (unfiltered && m_groups[group].kind == GroupKind::kMissingFile)
            m_rows.push_back({true, static_cast<int>(group)});
        for (; next < m_textures.size() && m_textures[next].group == static_cast<int>(group);
             ++next) {
            if (!IsShown(m_textures[next]))
                continue;
            if (m_rows.size() == heading)
                m_rows.push_back({true, static_cast<int>(group)});
            m_textureRows[next] = static_cast<int>(m_rows.size());
            m_rows.push_back({false, static_cast<int>(next)});
        }
    }
}

int CTextureBrowserModel::FindFirstShownTexture() const {
    for (const Row& row : m_rows) {
        if (!row.heading)
            return row.index;
    }
    return -1;
}

int CTextureBrowserModel::FindTexture(std::string_view name) const {
    const std::string folded = FoldTextureName(name);
    for (size_t index = 0; index < m_textures.size(); ++index) {
        if (m_textures[index].folded == folded)
            return static_cast<int>(index);
    }
    return -1;
}
