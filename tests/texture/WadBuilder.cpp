#include "WadBuilder.h"

#include <fstream>

namespace {

void AppendInt32(std::string& bytes, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((bits >> shift) & 0xff));
}

std::string MakeNameField(const std::string& name) {
    std::string field = name.substr(0, 16);
    field.resize(16, '\0');
    return field;
}

} // namespace

void PatchInt32(std::string& bytes, size_t offset, int32_t value) {
    std::string encoded;
    AppendInt32(encoded, value);
    bytes.replace(offset, 4, encoded);
}

std::string MakeMipTexData(const std::string& name, int32_t width, int32_t height,
                           const std::string& pixels) {
    std::string data = MakeNameField(name);
    AppendInt32(data, width);
    AppendInt32(data, height);
    for (int level = 0; level < 4; ++level)
        AppendInt32(data, 0);
    return data + pixels;
}

CWadBuilder& CWadBuilder::AddMipTexture(const std::string& name, int32_t width, int32_t height,
                                        uint8_t fill) {
    std::string pixels;
    if (width > 0 && height > 0)
        pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height),
                      static_cast<char>(fill));
    return AddLump(name, 'D', MakeMipTexData(name, width, height, pixels));
}

CWadBuilder& CWadBuilder::AddMipTexturePixels(const std::string& name, int32_t width,
                                              int32_t height, const std::string& pixels) {
    return AddLump(name, 'D', MakeMipTexData(name, width, height, pixels));
}

CWadBuilder& CWadBuilder::AddLump(const std::string& name, uint8_t type, const std::string& data,
                                  uint8_t compression) {
    m_lumps.push_back({name, type, compression, data});
    return *this;
}

std::string CWadBuilder::Build() const {
    std::string body;
    std::string directory;
    for (const Lump& lump : m_lumps) {
        AppendInt32(directory, static_cast<int32_t>(12 + body.size()));
        AppendInt32(directory, static_cast<int32_t>(lump.data.size()));
        AppendInt32(directory, static_cast<int32_t>(lump.data.size()));
        directory.push_back(static_cast<char>(lump.type));
        directory.push_back(static_cast<char>(lump.compression));
        directory.append(2, '\0');
        directory += MakeNameField(lump.name);
        body += lump.data;
    }
    std::string header = "WAD2";
    AppendInt32(header, static_cast<int32_t>(m_lumps.size()));
    AppendInt32(header, static_cast<int32_t>(12 + body.size()));
    return header + body + directory;
}

void CWadBuilder::WriteTo(const std::filesystem::path& path) const {
    std::ofstream out(path, std::ios::binary);
    std::string bytes = Build();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
