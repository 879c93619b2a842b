#pragma once

#include "texture/TextureUses.h"

#include <string>
#include <string_view>
#include <vector>

class CTextureWad;

// What the texture browser lists, without its pictures: every texture of a
// map's texture files under the file it comes from, how many faces show it,
// and the rows a filter leaves. Kept apart from the widgets so that it can be
// tested and timed on its own.
class CTextureBrowserModel {
public:
    enum class GroupKind {
        kFile,        // a file of the list that loaded
        kMissingFile, // a file of the list that was not found or not read
        kNotInFiles,  // the textures the map uses that no loaded file holds
    };
    struct Group {
        std::string title;
        GroupKind kind = GroupKind::kFile;
    };
    struct Texture {
        std::string name; // as its file spells it, or the map for kNotInFiles
        std::string folded;
        int group = 0;
        int uses = 0;
        bool missing = false; // no loaded file holds it; these come last
    };
    // A row shown: a group's heading, or a texture.
    struct Row {
        bool heading = false;
        int index = 0; // of the group or the texture

        friend bool operator==(const Row&, const Row&) = default;
    };

    // Lists every texture of the loaded files under the first file holding
    // it in any case, as the compilers take it; a heading for each file of the list that
    // did not load; and, last, the textures the map uses that no loaded file
    // holds. The filter stays.
    void Rebuild(const CTextureWad& wad, const TextureUses& uses);
    // New counts after the map changed. Used names that no file holds join or
    // leave the last group.
    void SetUses(const TextureUses& uses);
    // Shows the textures whose names hold `text` in any case; with
    // `usedOnly`, only those some face shows.
    void SetFilter(std::string_view text, bool usedOnly);
    const std::string& GetFilterText() const { return m_filter; }
    bool IsUsedOnly() const { return m_usedOnly; }

    const std::vector<Group>& GetGroups() const { return m_groups; }
    const std::vector<Texture>& GetTextures() const { return m_textures; }
    const std::vector<Row>& GetRows() const { return m_rows; }
    // The row that shows a texture; -1 while the filter hides it.
    int GetTextureRow(int texture) const { return m_textureRows.at(static_cast<size_t>(texture)); }
    // The first texture the rows show; -1 when they show none.
    int FindFirstShownTexture() const;
    // The texture of that name in any case; -1 when none is listed.
    int FindTexture(std::string_view name) const;

private:
    void ListUnheldTextures(const TextureUses& uses);
    void ApplyFilter();
    bool IsShown(const Texture& texture) const;

    std::vector<Group> m_groups;
    std::vector<Texture> m_textures;
    size_t m_heldCount = 0; // textures of loaded files, ahead of the unheld ones
    std::vector<Row> m_rows;
    std::vector<int> m_textureRows; // parallel to m_textures
    std::string m_filter;
    std::string m_foldedFilter;
    bool m_usedOnly = false;
};
