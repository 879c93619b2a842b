#include "texture/WadFormat.h"

#include <cstring>

std::string_view ViewWadName(const char* field) {
    const void* end = std::memchr(field, '\0', kWadNameSize);
    return std::string_view(field, end ? static_cast<const char*>(end) - field : kWadNameSize);
}

std::string WadLump::GetName() const {
    return std::string(ViewWadName(name));
}

int32_t DecodeInt32(const unsigned char* bytes) {
    uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                     uint32_t(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

WadLump DecodeWadLump(const unsigned char* bytes) {
    WadLump lump;
    lump.filePos = DecodeInt32(bytes);
    lump.diskSize = DecodeInt32(bytes + 4);
    lump.size = DecodeInt32(bytes + 8);
    lump.type = bytes[12];
    lump.compression = bytes[13];
    std::memcpy(lump.name, bytes + 16, kWadNameSize);
    return lump;
}

MipTexHeader DecodeMipTexHeader(const unsigned char* bytes) {
    MipTexHeader header;
    std::memcpy(header.name, bytes, kWadNameSize);
    header.width = DecodeInt32(bytes + 16);
    header.height = DecodeInt32(bytes + 20);
    for (int level = 0; level < 4; ++level)
        header.mipOffsets[level] = DecodeInt32(bytes + 24 + 4 * level);
    return header;
}
