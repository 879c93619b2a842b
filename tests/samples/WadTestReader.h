#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

// In a namespace of their own so that no other test helper of the same
// name can clash with them.
namespace samples_test {

// A strict reader of WAD2 bytes for the tests: it throws on anything that
// lies outside the file instead of reading past it.
struct WadTestEntry {
    int32_t filePosition;
    int32_t diskSize;
    int32_t size;
    char type;
    char compression;
    std::string name;
};

struct WadTestTexture {
    std::string name;
    int32_t width;
    int32_t height;
    int32_t mipOffsets[4];
};

inline int32_t ReadWadInt32(const std::string& bytes, size_t offset) {
    if (offset + 4 > bytes.size())
        throw std::out_of_range("read past the end of the WAD");
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    return static_cast<int32_t>(value);
}

// A 16-byte name field; throws when it has no terminator.
inline std::string ReadWadName(const std::string& bytes, size_t offset) {
    if (offset + 16 > bytes.size())
        throw std::out_of_range("read past the end of the WAD");
    size_t length = strnlen(bytes.data() + offset, 16);
    if (length == 16)
        throw std::runtime_error("name without a terminator");
    return bytes.substr(offset, length);
}

inline std::vector<WadTestEntry> ReadWadDirectory(const std::string& bytes) {
    int32_t count = ReadWadInt32(bytes, 4);
    int32_t offset = ReadWadInt32(bytes, 8);
    if (count < 0 || offset < 12 || static_cast<size_t>(offset) + 32u * count > bytes.size())
        throw std::out_of_range("directory outside the WAD");
    std::vector<WadTestEntry> entries;
    for (int32_t i = 0; i < count; ++i) {
        size_t at = static_cast<size_t>(offset) + 32u * static_cast<size_t>(i);
        entries.push_back({ReadWadInt32(bytes, at), ReadWadInt32(bytes, at + 4),
                           ReadWadInt32(bytes, at + 8), bytes[at + 12], bytes[at + 13],
                           ReadWadName(bytes, at + 16)});
    }
    return entries;
}

inline WadTestTexture ReadWadTexture(const std::string& bytes, const WadTestEntry& entry) {
    size_t at = static_cast<size_t>(entry.filePosition);
    WadTestTexture texture{
        ReadWadName(bytes, at), ReadWadInt32(bytes, at + 16), ReadWadInt32(bytes, at + 20), {}};
    for (int level = 0; level < 4; ++level)
        texture.mipOffsets[level] = ReadWadInt32(bytes, at + 24 + 4 * static_cast<size_t>(level));
    return texture;
}

} // namespace samples_test
