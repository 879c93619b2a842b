#pragma once

#include "framework/CFileChooser.h"
#include "texture/CTextureFile.h"
#include "texture/PreviewImage.h"
#include "texture/TexturePalette.h"
#include "texture/TextureWadEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kDefaultTextureWad = "quake101.wad";

// A picture's palette indices as colours, each channel lightened by
// `brightness` (0..255).
PreviewImage ColourPicture(const IndexedPicture& picture, const TexturePalette& palette,
                           int brightness = 0);

// The texture catalogue of one map: the texture files its "wad" value names
// (separated by ';'), what became of each, and the sorted names of the mip
// textures they hold. A name held by several files comes from the first of
// them in list order, as the map compilers take it.
class CTextureWad {
public:
    // The "wad" value exactly as the map holds it. It changes only when the
    // user changes the list, or when the map moves (SetMapFolder).
    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(std::string fileName) {
        m_fileName = std::move(fileName);
        m_named = true;
    }
    // Whether the map has a "wad" key at all. A map without one names no
    // texture files, loads none and is saved without the key until the user
    // chooses a file.
    bool IsNamed() const { return m_named; }
    void SetUnnamed() {
        m_fileName.clear();
        m_named = false;
    }

    // The folder of the map file, empty for a map never saved. Relative
    // entries are looked for there first, and a file chosen inside it is
    // stored relative to it. Moving the map elsewhere keeps each entry that
    // was found relative to the old folder pointing at the same file; every
    // other entry stays as written. A map saved for the first time names the
    // files chosen meanwhile (by their full paths) relative to its folder when
    // they lie inside it.
    const std::string& GetMapFolder() const { return m_search.mapFolder; }
    void SetMapFolder(const std::string& folder);
    // Both at once, as they were, without moving any entry along.
    void RestoreLocation(std::string fileName, std::string folder) {
        m_fileName = std::move(fileName);
        m_search.mapFolder = std::move(folder);
    }
    // Where an entry's file is looked for by its name alone, after the map's
    // folder; the editor keeps them as a setting shared by all maps.
    const std::vector<std::string>& GetTextureFolders() const { return m_search.textureFolders; }
    void SetTextureFolders(std::vector<std::string> folders) {
        m_search.textureFolders = std::move(folders);
    }
    const TextureSearchPaths& GetSearchPaths() const { return m_search; }

    // Looks for every entry's file and lists the textures of those that are
    // WAD2 files. True when the list names at least one file and all loaded.
    bool LoadTextureWad();
    // The entries of the last load, in list order.
    const std::vector<TextureWadEntry>& GetEntries() const { return m_entries; }
    // True when any entry's file exists, whether or not it could be read.
    bool HasFoundFile() const;
    // True when a found entry is a Half-Life WAD3 file (which is not loaded).
    bool HasWad3File() const;

    static constexpr const char* kMessageTitle = "Texture File Initialization";
    // The one message about the last load: a first line, then each entry that
    // failed with its reason. Empty when there is nothing to tell.
    std::string DescribeLoadProblems() const;
    // The same for one entry, e.g. the file the user just chose.
    std::string DescribeEntryProblem(size_t index) const;
    // The chooser's request for a texture file.
    static FileChooserRequest MakeChooserRequest();
    // Adds a file the user chose to the end of the list, named relative to the
    // map's folder when inside it (MakeStoredWadName); a list that is only the
    // default name, or empty, is replaced. Returns the entry's index.
    size_t AdoptChosenFile(const std::string& chosenPath);

    // Distinct texture names of all loaded files, ascending by unsigned byte
    // value.
    const std::vector<std::string>& GetTextureNames() const { return m_textureNames; }
    int GetTextureCount() const { return static_cast<int>(m_textureNames.size()); }
    const std::string& GetTextureName(int index) const { return m_textureNames.at(index); }
    // The file a listed texture comes from.
    const CTextureFile& GetTextureFile(int index) const;
    // The same by name; null for a name no loaded file lists.
    const CTextureFile* FindTextureFile(std::string_view name) const;
    // The files that loaded, in list order.
    const std::vector<CTextureFile>& GetFiles() const { return m_files; }
    // Which of those a listed texture comes from.
    size_t GetTextureFileIndex(int index) const {
        return m_textureFiles.at(static_cast<size_t>(index));
    }
    // Counts the loads, so that whoever shows the textures knows when the
    // list may have changed.
    uint64_t GetLoadCount() const { return m_loadCount; }

    // Every loaded file stays open between these two calls so that pixels can
    // be read while the brush & face dialog is open. True when all opened.
    bool OpenTextureFiles();
    void CloseTextureFiles();

    // Replaces the preview with the level-0 pixels of the texture of that name
    // (from the file it comes from), coloured through the palette and
    // lightened by `brightness` (0..63) on every channel. The file must be
    // open and hold the whole picture; a missing, compressed, nameless or
    // broken texture leaves the previous preview.
    void BuildTexturePreview(const std::string& name, int brightness,
                             const TexturePalette& palette = GetTexturePalette());
    // The level-0 pixels of the texture of that name, from the file it comes
    // from; nothing for a missing, compressed, nameless or broken texture, or
    // when that file is not open.
    std::optional<IndexedPicture> ReadTexturePixels(std::string_view name) const;
    // The last preview built; empty until the first one. It outlives the
    // dialogs that ask for it.
    const PreviewImage& GetPreviewImage() const { return m_preview; }

private:
    void ListTextures();
    bool IsDefaultList() const;
    static std::string Describe(const std::vector<const TextureWadEntry*>& failed, bool noneFound);

    std::string m_fileName;
    bool m_named = false;
    TextureSearchPaths m_search;
    std::vector<TextureWadEntry> m_entries;
    std::vector<CTextureFile> m_files;
    std::vector<std::string> m_textureNames;
    std::vector<size_t> m_textureFiles; // index in m_files, parallel to m_textureNames
    PreviewImage m_preview;
    uint64_t m_loadCount = 0;
};
