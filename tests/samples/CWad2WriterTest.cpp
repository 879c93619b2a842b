#include "tools/samples/CWad2Writer.h"
#include "tools/samples/SamplePalette.h"

#include "WadTestReader.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace samples;
using namespace samples_test;

TEST(CWad2Writer, WritesHeaderLumpsAndDirectoryInOrder) {
    CWad2Writer wad(MakeSamplePalette());
    wad.AddMipTexture("first", CIndexImage(16, 16, 1));
    wad.AddMipTexture("*second", CIndexImage(32, 16, 2));
    std::string bytes = wad.MakeFile();

    ASSERT_EQ(bytes.substr(0, 4), "WAD2");
    std::vector<WadTestEntry> entries = ReadWadDirectory(bytes);
    ASSERT_EQ(entries.size(), 2u);
    // 40-byte header plus w*h*(1 + 1/4 + 1/16 + 1/64) pixels per lump.
    EXPECT_EQ(entries[0].filePosition, 12);
    EXPECT_EQ(entries[0].size, 40 + 256 + 64 + 16 + 4);
    EXPECT_EQ(entries[1].filePosition, 12 + entries[0].size);
    EXPECT_EQ(entries[1].size, 40 + 512 + 128 + 32 + 8);
    EXPECT_EQ(ReadWadInt32(bytes, 8), entries[1].filePosition + entries[1].size);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(ReadWadInt32(bytes, 8)) + 2 * 32);
    for (const WadTestEntry& entry : entries) {
        EXPECT_EQ(entry.type, 'D');
        EXPECT_EQ(entry.compression, 0);
        EXPECT_EQ(entry.diskSize, entry.size);
    }
    EXPECT_EQ(entries[1].name, "*second");
}

TEST(CWad2Writer, MipLevelsFollowTheHeaderOneAfterAnother) {
    CWad2Writer wad(MakeSamplePalette());
    wad.AddMipTexture("plate", CIndexImage(64, 32, Shade(Ramp::kSteel, 9)));
    std::string bytes = wad.MakeFile();
    WadTestEntry entry = ReadWadDirectory(bytes).at(0);
    WadTestTexture texture = ReadWadTexture(bytes, entry);
    EXPECT_EQ(texture.name, "plate");
    EXPECT_EQ(texture.width, 64);
    EXPECT_EQ(texture.height, 32);
    EXPECT_EQ(texture.mipOffsets[0], 40);
    EXPECT_EQ(texture.mipOffsets[1], 40 + 64 * 32);
    EXPECT_EQ(texture.mipOffsets[2], 40 + 64 * 32 + 32 * 16);
    EXPECT_EQ(texture.mipOffsets[3], 40 + 64 * 32 + 32 * 16 + 16 * 8);
    // A flat colour that is in the palette stays that colour at every level.
    std::string lump =
        bytes.substr(static_cast<size_t>(entry.filePosition), static_cast<size_t>(entry.size));
    for (size_t i = 40; i < lump.size(); ++i)
        ASSERT_EQ(static_cast<uint8_t>(lump[i]), Shade(Ramp::kSteel, 9)) << "byte " << i;
}

TEST(CWad2Writer, RefusesNamesAndSizesTheGameCannotUse) {
    CWad2Writer wad(MakeSamplePalette());
    EXPECT_THROW(wad.AddMipTexture("sixteen_letters_", CIndexImage(16, 16)), std::invalid_argument);
    EXPECT_THROW(wad.AddMipTexture("", CIndexImage(16, 16)), std::invalid_argument);
    EXPECT_THROW(wad.AddMipTexture("odd", CIndexImage(24, 16)), std::invalid_argument);
    EXPECT_THROW(wad.AddMipTexture("odd", CIndexImage(16, 40)), std::invalid_argument);
    wad.AddMipTexture("fifteen_letters", CIndexImage(16, 16));
    EXPECT_EQ(ReadWadDirectory(wad.MakeFile()).at(0).name, "fifteen_letters");
}

TEST(ShrinkImage, AveragesEachBlockToTheNearestPaletteColour) {
    std::string palette = MakeSamplePalette();
    // Black and the lightest grey average to the middle of the grey ramp.
    CIndexImage image(4, 2, Shade(Ramp::kGrey, 0));
    image.Set(0, 0, Shade(Ramp::kGrey, 15));
    image.Set(1, 1, Shade(Ramp::kGrey, 15));
    image.Set(2, 0, Shade(Ramp::kWater, 5));
    image.Set(3, 0, Shade(Ramp::kWater, 5));
    image.Set(2, 1, Shade(Ramp::kWater, 5));
    image.Set(3, 1, Shade(Ramp::kWater, 5));
    CIndexImage small = ShrinkImage(image, 2, palette);
    ASSERT_EQ(small.Width(), 2);
    ASSERT_EQ(small.Height(), 1);
    EXPECT_EQ(small.At(0, 0), Shade(Ramp::kGrey, 8));
    EXPECT_EQ(small.At(1, 0), Shade(Ramp::kWater, 5));
}

TEST(ShrinkImage, RefusesAShortPalette) {
    EXPECT_THROW(ShrinkImage(CIndexImage(16, 16), 2, std::string(1000, '\0')),
                 std::invalid_argument);
}
