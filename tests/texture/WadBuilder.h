#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes WAD2 files for tests: lump data from offset 12 on, the directory
// behind it. Names are copied raw into their 16-byte field, so a test can
// write a name with a leading NUL or one without a terminator.
class CWadBuilder {
public:
    // A mip texture: 40-byte header, then width x height pixels of `fill`.
    CWadBuilder& AddMipTexture(const std::string& name, int32_t width, int32_t height,
                               uint8_t fill = 0);
    // A mip texture with the given level-0 pixels, row by row.
    CWadBuilder& AddMipTexturePixels(const std::string& name, int32_t width, int32_t height,
                                     const std::string& pixels);
    CWadBuilder& AddLump(const std::string& name, uint8_t type, const std::string& data,
                         uint8_t compression = 0);

    std::string Build() const;
    void WriteTo(const std::filesystem::path& path) const;

private:
    struct Lump {
        std::string name;
        uint8_t type;
        uint8_t compression;
        std::string data;
    };
    std::vector<Lump> m_lumps;
};

// A mip texture lump's bytes: the 40-byte header (the name as given, the
// size as given, zero mip offsets) and then `pixels`.
std::string MakeMipTexData(const std::string& name, int32_t width, int32_t height,
                           const std::string& pixels);

// Overwrites the 32-bit number at `offset`, e.g. to break a header.
void PatchInt32(std::string& bytes, size_t offset, int32_t value);
