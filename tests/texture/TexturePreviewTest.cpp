#include "texture/CTextureWad.h"
#include "texture/TexturePalette.h"

#include "TestDoubles.h"
#include "TestSupport.h"
#include "WadBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Rgb = std::array<int, 3>;

// A catalogue whose texture file stays open, as while the brush & face dialog
// is up, with a palette of the test's own.
class TexturePreviewTest : public ::testing::Test {
protected:
    void OpenBytes(const std::string& bytes) {
        WriteFileText(m_dir.Path("preview.wad"), bytes);
        m_wad.SetFileName(m_dir.Path("preview.wad").string());
        ASSERT_TRUE(m_wad.LoadTextureWad());
        ASSERT_TRUE(m_wad.OpenTextureFiles());
    }
    void Open(const CWadBuilder& builder) { OpenBytes(builder.Build()); }
    void Build(const std::string& name, int brightness) {
        m_wad.BuildTexturePreview(name, brightness, m_palette);
    }
    Rgb PixelAt(int x, int y) const {
        const PreviewImage& image = m_wad.GetPreviewImage();
        const size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
        return {image.rgb.at(at), image.rgb.at(at + 1), image.rgb.at(at + 2)};
    }
    // Shows "first" (16 x 8 texels of index 7) so that a failed build can be
    // seen to leave it.
    void ExpectFirstStillShown(uint64_t generation) const {
        const PreviewImage& image = m_wad.GetPreviewImage();
        EXPECT_EQ(image.generation, generation);
        EXPECT_EQ(image.width, 16);
        EXPECT_EQ(image.height, 8);
        EXPECT_EQ(PixelAt(15, 7), (Rgb{70, 71, 72}));
    }

    CTempDir m_dir;
    CRecordingMessages m_messages;
    CTextureWad m_wad;
    TexturePalette m_palette;
};

TEST_F(TexturePreviewTest, BrightnessZeroGivesThePaletteColoursAndEachStepLightens) {
    m_palette.SetEntry(1, {200, 10, 255, 0});
    m_palette.SetEntry(2, {0, 0, 0, 0});
    m_palette.SetEntry(3, {252, 100, 4, 0});
    Open(CWadBuilder().AddMipTexturePixels("wall", 3, 1, "\x01\x02\x03"));
    Build("wall", 0);
    EXPECT_EQ(PixelAt(0, 0), (Rgb{200, 10, 255}));
    EXPECT_EQ(PixelAt(1, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(2, 0), (Rgb{252, 100, 4}));
    Build("wall", 63);
    EXPECT_EQ(PixelAt(0, 0), (Rgb{255, 73, 255}));
    EXPECT_EQ(PixelAt(1, 0), (Rgb{63, 63, 63}));
    EXPECT_EQ(PixelAt(2, 0), (Rgb{255, 163, 67}));
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
}

TEST_F(TexturePreviewTest, PixelsGoRowByRowFromTheTop) {
    for (int i = 0; i < 6; ++i)
        m_palette.SetEntry(static_cast<uint8_t>(i), {static_cast<uint8_t>(i * 10), 0, 0, 0});
    Open(CWadBuilder().AddMipTexturePixels("grid", 3, 2, std::string("\0\1\2\3\4\5", 6)));
    Build("grid", 0);
    EXPECT_EQ(PixelAt(0, 0)[0], 0);
    EXPECT_EQ(PixelAt(2, 0)[0], 20);
    EXPECT_EQ(PixelAt(0, 1)[0], 30);
    EXPECT_EQ(PixelAt(2, 1)[0], 50);
}

TEST_F(TexturePreviewTest, PictureHasTheTexturesSizeOnePixelPerTexel) {
    Open(CWadBuilder().AddMipTexture("square", 64, 64, 1).AddMipTexture("wide", 256, 128, 2));
    Build("square", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 64);
    EXPECT_EQ(m_wad.GetPreviewImage().height, 64);
    EXPECT_EQ(m_wad.GetPreviewImage().rgb.size(), 64u * 64u * 3u);
    Build("wide", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 256);
    EXPECT_EQ(m_wad.GetPreviewImage().height, 128);
    EXPECT_EQ(m_wad.GetPreviewImage().rgb.size(), 256u * 128u * 3u);
}

TEST_F(TexturePreviewTest, FirstOfTwoEntriesWithOneNameIsShown) {
    m_palette.SetEntry(1, {10, 20, 30, 0});
    m_palette.SetEntry(2, {40, 50, 60, 0});
    Open(CWadBuilder().AddMipTexture("twin", 4, 4, 1).AddMipTexture("twin", 8, 8, 2));
    Build("twin", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 4);
    EXPECT_EQ(PixelAt(3, 3), (Rgb{10, 20, 30}));
}

TEST_F(TexturePreviewTest, TextureBehindOtherEntriesIsFound) {
    m_palette.SetEntry(9, {1, 2, 3, 0});
    Open(CWadBuilder()
             .AddLump("palette", '@', std::string(768, '\0'))
             .AddLump("conchars", 'B', std::string(128, '\x05'))
             .AddLump("status", 'B', std::string(64, '\x05'))
             .AddMipTexture("later", 2, 2, 9));
    Build("later", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 2);
    EXPECT_EQ(PixelAt(1, 1), (Rgb{1, 2, 3}));
}

TEST_F(TexturePreviewTest, PixelsComeFromTheFileTheNameIsListedFrom) {
    m_palette.SetEntry(1, {10, 20, 30, 0});
    m_palette.SetEntry(2, {40, 50, 60, 0});
    m_palette.SetEntry(3, {70, 80, 90, 0});
    CWadBuilder().AddMipTexture("shared", 4, 4, 1).WriteTo(m_dir.Path("first.wad"));
    CWadBuilder()
        .AddMipTexture("shared", 8, 8, 2)
        .AddMipTexture("second", 2, 2, 3)
        .WriteTo(m_dir.Path("second.wad"));
    m_wad.SetMapFolder(m_dir.Root().string());
    m_wad.SetFileName("first.wad;second.wad");
    ASSERT_TRUE(m_wad.LoadTextureWad());
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    Build("second", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 2);
    EXPECT_EQ(PixelAt(1, 1), (Rgb{70, 80, 90}));
    Build("shared", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 4);
    EXPECT_EQ(PixelAt(3, 3), (Rgb{10, 20, 30}));
}

TEST_F(TexturePreviewTest, NamesAreMatchedExactlyWithCase) {
    Open(CWadBuilder().AddMipTexture("Wall", 4, 4, 1).AddMipTexture("wall", 8, 8, 1));
    Build("wall", 0);
    EXPECT_EQ(m_wad.GetPreviewImage().width, 8);
}

TEST_F(TexturePreviewTest, NoPaletteGivesGreyOfTheBrightness) {
    Open(CWadBuilder().AddMipTexturePixels("any", 2, 1, "\x10\xff"));
    m_wad.BuildTexturePreview("any", 40, TexturePalette());
    EXPECT_EQ(PixelAt(0, 0), (Rgb{40, 40, 40}));
    EXPECT_EQ(PixelAt(1, 0), (Rgb{40, 40, 40}));
}

// Each of these is built after "first" and must leave it on show, without a
// message and without reading outside the file.
class PreviewKeptTest : public TexturePreviewTest {
protected:
    void OpenWith(CWadBuilder builder) {
        m_palette.SetEntry(7, {70, 71, 72, 0});
        Open(CWadBuilder(builder).AddMipTexture("first", 16, 8, 7));
        Build("first", 0);
        m_generation = m_wad.GetPreviewImage().generation;
        ASSERT_GT(m_generation, 0u);
    }
    void ExpectKept() {
        ExpectFirstStillShown(m_generation);
        EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    }
    uint64_t m_generation = 0;
};

TEST_F(PreviewKeptTest, CompressedEntryKeepsThePreviousPicture) {
    OpenWith(CWadBuilder().AddLump("packed", 'D',
                                   MakeMipTexData("packed", 4, 4, "0123456789abcdef"), 1));
    Build("packed", 0);
    ExpectKept();
}

TEST_F(PreviewKeptTest, EmptyHeaderNameKeepsThePreviousPicture) {
    OpenWith(CWadBuilder().AddLump("blank", 'D', MakeMipTexData("", 4, 4, std::string(16, '\1'))));
    Build("blank", 0);
    ExpectKept();
}

TEST_F(PreviewKeptTest, UnknownNameKeepsThePreviousPicture) {
    OpenWith(CWadBuilder());
    Build("absent", 0);
    ExpectKept();
}

// Each size field broken on its own: the other one alone must not let the
// picture through.
TEST_F(PreviewKeptTest, SizeOfZeroOrLessKeepsThePreviousPicture) {
    const std::pair<int32_t, int32_t> sizes[] = {{0, 4}, {4, 0}, {-4, 4}, {4, -4}, {-4, -4}};
    CWadBuilder builder;
    for (const auto& [width, height] : sizes) {
        const std::string name = "s" + std::to_string(width) + "x" + std::to_string(height);
        builder.AddLump(name, 'D', MakeMipTexData(name, width, height, std::string(16, 'x')));
    }
    OpenWith(builder);
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        Build("s" + std::to_string(width) + "x" + std::to_string(height), 0);
        ExpectKept();
    }
}

TEST_F(PreviewKeptTest, SizesWhoseProductOverflowsKeepThePreviousPicture) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    OpenWith(CWadBuilder()
                 .AddLump("huge", 'D', MakeMipTexData("huge", big, big, std::string(64, 'x')))
                 .AddLump("wrap", 'D', MakeMipTexData("wrap", 65536, 65536, std::string(64, 'x'))));
    Build("huge", 0);
    Build("wrap", 0); // 2^32 texels: zero in 32 bits

    ExpectKept();
}

TEST_F(PreviewKeptTest, PixelsPastTheEndOfTheFileKeepThePreviousPicture) {
    // The last lump claims 4096 pixels; 100 and the directory follow it.
    OpenWith(CWadBuilder().AddLump("short", 'D',
                                   MakeMipTexData("short", 64, 64, std::string(100, '\1'))));
    Build("short", 0);
    ExpectKept();
}

TEST_F(PreviewKeptTest, LumpPastTheEndOfTheFileKeepsThePreviousPicture) {
    OpenWith(CWadBuilder());
    m_wad.CloseTextureFiles();
    std::string bytes =
        CWadBuilder().AddMipTexture("first", 16, 8, 7).AddMipTexture("beyond", 4, 4, 1).Build();
    // The second entry's file position (directory entry 1, offset 0) far past the end.
    const size_t directory = bytes.size() - 2 * 32;
    PatchInt32(bytes, directory + 32, 1 << 30);
    OpenBytes(bytes);
    Build("beyond", 0);
    ExpectKept();
}

TEST_F(PreviewKeptTest, FileThatFailedToReopenKeepsThePreviousPicture) {
    OpenWith(CWadBuilder().AddMipTexture("other", 4, 4, 1));
    m_wad.CloseTextureFiles();
    std::filesystem::remove(m_dir.Path("preview.wad"));
    ASSERT_FALSE(m_wad.OpenTextureFiles());
    Build("other", 0);
    ExpectKept();
}

} // namespace
