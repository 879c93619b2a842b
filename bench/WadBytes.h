#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The pieces of a WAD2 file that the benchmarks make up: little-endian
// numbers and directory entries of mip textures.

inline void PutInt(std::string& bytes, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
}

// One directory entry: where the lump is, its size (stored and unpacked
// alike), the mip texture type 'D' and the name in its 16 bytes.
inline void PutWadEntry(std::string& directory, int32_t offset, int32_t size,
                        std::string_view name) {
    PutInt(directory, offset);
    PutInt(directory, size);
    PutInt(directory, size);
    directory += 'D';
    directory += std::string(3, '\0');
    std::string field(16, '\0');
    std::memcpy(field.data(), name.data(), std::min<size_t>(name.size(), field.size()));
    directory += field;
}
