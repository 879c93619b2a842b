#include "texture/TextureSize.h"

#include "framework/TextCase.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

std::string_view ListedName(const CTextureWad& wad, std::string_view name) {
    if (wad.FindTextureFile(name))
        return name;
    for (const std::string& listed : wad.GetTextureNames()) {
        if (SameTextInAnyCase(listed, name))
            return listed;
    }
    return {};
}

} // namespace

std::optional<TextureSize> FindTextureSize(CTextureWad& wad, std::string_view name) {
    const std::string_view listed = ListedName(wad, name);
    const CTextureFile* file = listed.empty() ? nullptr : wad.FindTextureFile(listed);
    const WadLump* lump = file ? file->FindLump(listed) : nullptr;
    if (!lump)
        return std::nullopt;
    wad.OpenTextureFiles();
    const std::optional<MipTexHeader> header = file->ReadMipTexHeader(*lump);
    wad.CloseTextureFiles();
    if (!header || header->width <= 0 || header->height <= 0)
        return std::nullopt;
    return TextureSize{header->width, header->height};
}
