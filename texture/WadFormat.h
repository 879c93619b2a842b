#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The parts of a WAD2 file the catalogue reads. All numbers in the file are
// signed 32-bit little-endian; offsets count from the start of the file.

inline constexpr size_t kWadHeaderSize = 12;
inline constexpr size_t kWadLumpSize = 32;
inline constexpr size_t kWadNameSize = 16;
inline constexpr size_t kMipTexHeaderSize = 40;
inline constexpr uint8_t kMipTexLumpType = 'D';

// One directory entry, decoded.
struct WadLump {
    int32_t filePos = 0;
    int32_t diskSize = 0;
    int32_t size = 0;
    uint8_t type = 0;
    uint8_t compression = 0; // 0 = stored
    char name[kWadNameSize] = {};

    // The name up to its terminator; a name filling all 16 bytes has none and
    // ends with the field.
    std::string GetName() const;
    bool IsMipTexture() const { return type == kMipTexLumpType; }
};

// The header in front of a mip texture's pixels.
struct MipTexHeader {
    char name[kWadNameSize] = {};
    int32_t width = 0;
    int32_t height = 0;
    int32_t mipOffsets[4] = {};
};

// A 16-byte name field up to its terminator, or all of it when it has none.
std::string_view ViewWadName(const char* field);
int32_t DecodeInt32(const unsigned char* bytes);
WadLump DecodeWadLump(const unsigned char* bytes);
MipTexHeader DecodeMipTexHeader(const unsigned char* bytes);
