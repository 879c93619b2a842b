#pragma once

#include "framework/CFileChooser.h"
#include "texture/CPreviewImage.h"
#include "texture/TexturePalette.h"
#include "texture/WadFormat.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kDefaultTextureWad = "quake101.wad";

// The texture catalogue of one map: the WAD2 file it names, the file's
// directory and the sorted names of the mip textures it holds.
class CTextureWad {
public:
    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }

    // The folder of the map file, empty for a map never saved. A relative
    // file name is looked for there first, then in the working directory; a
    // file chosen inside it or below is stored relative to it. Moving the map
    // elsewhere keeps a name stored relative to the old folder pointing at the
    // same file.
    const std::string& GetMapFolder() const { return m_mapFolder; }
    void SetMapFolder(const std::string& folder);
    // Both at once, as they were, without moving the name along.
    void RestoreLocation(std::string fileName, std::string folder) {
        m_fileName = std::move(fileName);
        m_mapFolder = std::move(folder);
    }
    // The file the name stands for, as it would be opened now.
    std::string ResolveFileName() const;

    enum class LoadResult { kLoaded, kMissing, kUnreadable, kNotWad2 };
    // Reads the directory of the named file and lists its textures. On any
    // failure the list is empty afterwards.
    LoadResult LoadTextureWad();
    // What to tell the user about a failed load: the message, and on a second
    // line which file and what is wrong with it.
    std::string DescribeLoadProblem(LoadResult result) const;
    static constexpr const char* kMessageTitle = "Texture File Initialization";
    // The chooser's request for a texture file.
    static FileChooserRequest MakeChooserRequest();
    // Takes a texture file the user chose: inside the map's folder it is named
    // relative to it, elsewhere by its full path (and the status bar says so).
    void AdoptChosenFile(const std::string& chosenPath);

    // Distinct texture names, ascending by unsigned byte value.
    const std::vector<std::string>& GetTextureNames() const { return m_textureNames; }
    int GetTextureCount() const { return static_cast<int>(m_textureNames.size()); }
    const std::string& GetTextureName(int index) const { return m_textureNames.at(index); }

    // The directory entries the last load could read, in file order.
    const std::vector<WadLump>& GetDirectory() const { return m_directory; }
    // The entry count the header claimed, which a broken file may overstate.
    int32_t GetDeclaredEntryCount() const { return m_declaredEntryCount; }
    // The first entry of any type with exactly this name, or null.
    const WadLump* FindLump(std::string_view name) const;

    // The texture file stays open between these two calls (read-only, binary)
    // so that pixels can be read while the brush & face dialog is open.
    bool OpenTextureFile();
    void CloseTextureFile();
    bool IsTextureFileOpen() const { return m_file != nullptr; }
    int64_t GetTextureFileSize() const { return m_fileSize; }

    // Reads `count` bytes at `offset` of the open file; false, without reading
    // anything, when the file is closed or the range is not wholly inside it.
    bool ReadFileBytes(int64_t offset, void* buffer, size_t count) const;
    // The header of the mip texture an entry points at, if the file holds it.
    std::optional<MipTexHeader> ReadMipTexHeader(const WadLump& lump) const;

    // Replaces the preview with the level-0 pixels of the first entry of that
    // name, coloured through the palette and lightened by `brightness` (0..63)
    // on every channel. The open file must hold the whole picture; a missing,
    // compressed, nameless or broken texture leaves the previous preview.
    void BuildTexturePreview(const std::string& name, int brightness,
                             const TexturePalette& palette = GetTexturePalette());
    // The last preview built; empty until the first one. It outlives the
    // dialogs that ask for it.
    const CPreviewImage& GetPreviewImage() const { return m_preview; }

private:
    void ReadDirectory();
    void ListTextures();
    bool HasWad2Header() const;
    std::string MakeStoredName(const std::string& chosenPath) const;

    struct CloseFile {
        void operator()(FILE* file) const { std::fclose(file); }
    };

    std::string m_fileName = kDefaultTextureWad;
    std::string m_mapFolder;
    std::vector<WadLump> m_directory;
    int32_t m_declaredEntryCount = 0;
    std::vector<std::string> m_textureNames;
    std::unique_ptr<FILE, CloseFile> m_file;
    int64_t m_fileSize = 0;
    CPreviewImage m_preview;
};
