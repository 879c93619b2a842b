#pragma once

#include "texture/CTextureWad.h"

#include <optional>
#include <string_view>

struct TextureSize {
    int width = 0;
    int height = 0;
};

// The size of the texture a face names, from the file the map's list takes
// it from; a face may spell the name in another case than the file. None
// when no loaded file holds a texture of that name.
std::optional<TextureSize> FindTextureSize(CTextureWad& wad, std::string_view name);
