#include "texture/TexturePalette.h"

#include "TestDoubles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

void ExpectColour(const PaletteEntry& entry, int red, int green, int blue) {
    EXPECT_EQ(entry.red, red);
    EXPECT_EQ(entry.green, green);
    EXPECT_EQ(entry.blue, blue);
    EXPECT_EQ(entry.flags, 0);
}

std::string MakeRecords(std::initializer_list<std::array<uint8_t, 4>> records) {
    std::string bytes;
    for (const auto& record : records)
        bytes.append(record.begin(), record.end());
    return bytes;
}

TEST(TexturePalette, WidensSixBitIntensitiesAndWrapsLargerBytes) {
    CTempDir dir;
    std::string bytes = MakeRecords({{1, 2, 63, 99}, {64, 65, 255, 0}, {0, 32, 128, 7}});
    for (int entry = 3; entry < 256; ++entry)
        bytes += MakeRecords({{10, 20, 30, 40}});
    WriteFileText(dir.Path("full.pal"), bytes);
    TexturePalette palette;
    palette.ReadPaletteFile(dir.Path("full.pal").string());
    ExpectColour(palette[0], 4, 8, 252);
    ExpectColour(palette[1], 0, 4, 252);
    ExpectColour(palette[2], 0, 128, 0);
    ExpectColour(palette[255], 40, 80, 120);
}

TEST(TexturePalette, ShortFileLeavesTheUnreachedBytesBlack) {
    CTempDir dir;
    // One whole record and the red byte of the next.
    WriteFileText(dir.Path("short.pal"), MakeRecords({{5, 6, 7, 8}}) + "\x09");
    TexturePalette palette;
    palette.ReadPaletteFile(dir.Path("short.pal").string());
    ExpectColour(palette[0], 20, 24, 28);
    ExpectColour(palette[1], 36, 0, 0);
    ExpectColour(palette[2], 0, 0, 0);
    ExpectColour(palette[255], 0, 0, 0);
}

TEST(TexturePalette, MissingFileChangesNothingAndSaysNothing) {
    CTempDir dir;
    CRecordingMessages messages;
    WriteFileText(dir.Path("one.pal"), MakeRecords({{1, 1, 1, 0}}));
    TexturePalette palette;
    palette.ReadPaletteFile(dir.Path("one.pal").string());
    palette.ReadPaletteFile(dir.Path("absent.pal").string());
    ExpectColour(palette[0], 4, 4, 4);
    EXPECT_TRUE(messages.m_boxes.empty());
}

TEST(TexturePalette, ProgramPaletteLoadsFromTheWorkingDirectory) {
    CTempDir dir;
    WriteFileText(dir.Path("quake.pal"), MakeRecords({{3, 2, 1, 0}}));
    CWorkingDirectoryGuard inTemp(dir.Root());
    GetTexturePalette().ClearPalette();
    LoadTexturePalette();
    ExpectColour(GetTexturePalette()[0], 12, 8, 4);
    ExpectColour(GetTexturePalette()[1], 0, 0, 0);
    GetTexturePalette().ClearPalette();
}

} // namespace
