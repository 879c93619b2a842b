#include "texture/TextureSize.h"

#include "TestSupport.h"
#include "WadBuilder.h"

#include <gtest/gtest.h>

namespace {

// Faces name textures in whatever case the map was written in; the size is
// the file's, and a name no file holds has none.
TEST(TextureSize, ComesFromTheFileInAnyCaseOfTheName) {
    CTempDir dir;
    CWadBuilder()
        .AddMipTexture("Metal1_2", 64, 32)
        .AddMipTexture("sky4", 256, 128)
        .WriteTo(dir.Path("t.wad"));
    CTextureWad wad;
    wad.SetFileName(dir.Path("t.wad").string());
    ASSERT_TRUE(wad.LoadTextureWad());

    const std::optional<TextureSize> metal = FindTextureSize(wad, "metal1_2");
    ASSERT_TRUE(metal.has_value());
    EXPECT_EQ(metal->width, 64);
    EXPECT_EQ(metal->height, 32);
    EXPECT_EQ(FindTextureSize(wad, "SKY4")->width, 256);
    EXPECT_FALSE(FindTextureSize(wad, "missing").has_value());
}

} // namespace
