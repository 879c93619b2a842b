#include "texture/CTextureWad.h"
#include "texture/TexturePalette.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

uint8_t AddBrightness(uint8_t channel, int brightness) {
    return static_cast<uint8_t>(std::min(255, channel + brightness));
}

// The level-0 pixels of a lump, or nothing when the header does not describe a
// picture that lies wholly inside the open file.
bool ReadLevelZeroPixels(const CTextureFile& file, const WadLump& lump, const MipTexHeader& header,
                         std::vector<uint8_t>& pixels) {
    if (header.width <= 0 || header.height <= 0)
        return false;
    // Both are below 2^31, so the product fits; the file size bounds it again.
    const int64_t count = int64_t{header.width} * header.height;
    const int64_t offset = int64_t{lump.filePos} + int64_t{kMipTexHeaderSize};
    if (count > file.GetSize() - offset)
        return false;
    pixels.resize(static_cast<size_t>(count));
    return file.ReadBytes(offset, pixels.data(), pixels.size());
}

} // namespace

std::optional<IndexedPicture> CTextureWad::ReadTexturePixels(std::string_view name) const {
    // The pixels come from the file the name is listed from, and there from
    // its first entry of that name.
    const CTextureFile* file = FindTextureFile(name);
    const WadLump* lump = file ? file->FindLump(name) : nullptr;
    if (!lump || lump->compression != 0)
        return std::nullopt;
    const std::optional<MipTexHeader> header = file->ReadMipTexHeader(*lump);
    if (!header || header->name[0] == '\0')
        return std::nullopt;
    IndexedPicture picture{header->width, header->height, {}};
    if (!ReadLevelZeroPixels(*file, *lump, *header, picture.pixels))
        return std::nullopt;
    return picture;
}

PreviewImage ColourPicture(const IndexedPicture& picture, const TexturePalette& palette,
                           int brightness) {
    const std::vector<uint8_t>& pixels = picture.pixels;
    brightness = std::clamp(brightness, 0, 255);
    PreviewImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.rgb.resize(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const PaletteEntry& colour = palette[pixels[i]];
        image.rgb[i * 3] = AddBrightness(colour.red, brightness);
        image.rgb[i * 3 + 1] = AddBrightness(colour.green, brightness);
        image.rgb[i * 3 + 2] = AddBrightness(colour.blue, brightness);
    }
    return image;
}

void CTextureWad::BuildTexturePreview(const std::string& name, int brightness,
                                      const TexturePalette& palette) {
    std::optional<IndexedPicture> picture = ReadTexturePixels(name);
    if (!picture)
        return;
    PreviewImage image = ColourPicture(*picture, palette, brightness);
    image.generation = m_preview.generation + 1;
    m_preview = std::move(image);
}
