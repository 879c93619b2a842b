#pragma once

#include "texture/WadFormat.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What became of one texture file of a map's list.
enum class TextureFileState { kLoaded, kMissing, kUnreadable, kNotWad2, kTooLarge };

// The largest texture files in use hold some tens of megabytes. A larger
// file is refused: a broken header of one could have the catalogue take as
// much memory as the file claims to hold.
inline constexpr int64_t kMaxTextureFileBytes = int64_t{256} << 20;

// One WAD2 texture file: the directory read from it and, while it is open, a
// read-only handle whose reads never leave the file. A broken or hostile file
// reads as one with fewer entries, never as more than it holds.
class CTextureFile {
public:
    explicit CTextureFile(std::string path) : m_path(std::move(path)) {}

    const std::string& GetPath() const { return m_path; }

    // Reads the header and the directory, and closes the file again. Anything
    // but a WAD2 file (a WAD3 file too) leaves the directory empty.
    TextureFileState Load();
    // True when the file begins with the magic of Half-Life's WAD3 format.
    bool IsWad3() const { return m_isWad3; }

    // The directory entries the last load could read, in file order.
    const std::vector<WadLump>& GetDirectory() const { return m_directory; }
    // The entry count the header claimed, which a broken file may overstate.
    int32_t GetDeclaredEntryCount() const { return m_declaredEntryCount; }
    // The first entry of any type with exactly this name, or null.
    const WadLump* FindLump(std::string_view name) const;

    // The file stays open between these two calls, so that pixels can be read
    // while the brush & face dialog is open. A file larger than
    // kMaxTextureFileBytes is not opened.
    bool Open();
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    int64_t GetSize() const { return m_size; }

    // Reads `count` bytes at `offset` of the open file; false, without reading
    // anything, when the file is closed or the range is not wholly inside it.
    bool ReadBytes(int64_t offset, void* buffer, size_t count) const;
    // The header of the mip texture an entry points at, if the file holds it.
    std::optional<MipTexHeader> ReadMipTexHeader(const WadLump& lump) const;

private:
    TextureFileState ReadMagic();
    void ReadDirectory();

    struct CloseFile {
        void operator()(FILE* file) const { std::fclose(file); }
    };

    std::string m_path;
    bool m_isWad3 = false;
    std::vector<WadLump> m_directory;
    int32_t m_declaredEntryCount = 0;
    std::unique_ptr<FILE, CloseFile> m_file;
    int64_t m_size = 0;
    bool m_tooLarge = false; // what the last Open() found
};
