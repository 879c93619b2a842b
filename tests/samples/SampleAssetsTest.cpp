#include "tools/samples/SampleAssets.h"
#include "texture/CTextureWad.h"
#include "texture/TexturePalette.h"
#include "tools/samples/SamplePalette.h"
#include "tools/samples/SampleTextures.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace samples;

namespace {

std::vector<std::string> FileNames(const std::vector<SampleFile>& files) {
    std::vector<std::string> names;
    for (const SampleFile& file : files)
        names.push_back(file.name);
    return names;
}

} // namespace

TEST(SampleAssets, MakesThePaletteTheTextureFileAndTheMap) {
    EXPECT_EQ(FileNames(MakeSampleFiles()),
              (std::vector<std::string>{"quake.pal", "quake101.wad", "demo.map"}));
}

TEST(SampleAssets, WritesTheSameBytesOnEveryRun) {
    CTempDir first;
    CTempDir second;
    std::string error;
    ASSERT_TRUE(WriteSampleFiles(first.Root(), error)) << error;
    ASSERT_TRUE(WriteSampleFiles(second.Path("made/here"), error)) << error;
    std::vector<SampleFile> expected = MakeSampleFiles();
    for (const SampleFile& file : expected) {
        SCOPED_TRACE(file.name);
        std::string written = ReadFileText(first.Path(file.name));
        EXPECT_FALSE(written.empty());
        EXPECT_TRUE(written == ReadFileText(second.Path("made/here/" + file.name)));
        EXPECT_TRUE(written == file.bytes);
    }
}

TEST(SampleAssets, CommittedSamplesMatchAFreshGeneration) {
    const std::filesystem::path committed(TOLVE_SAMPLES_DIR);
    for (const SampleFile& file : MakeSampleFiles()) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(std::filesystem::exists(committed / file.name));
        EXPECT_TRUE(ReadFileText(committed / file.name) == file.bytes)
            << "samples/ is out of date: run tolve-make-samples samples";
    }
}

TEST(SampleAssets, SaysWhyAFolderCannotBeWritten) {
    CTempDir temp;
    WriteFileText(temp.Path("plain-file"), "not a folder");
    std::string error;
    EXPECT_FALSE(WriteSampleFiles(temp.Path("plain-file"), error));
    EXPECT_NE(error.find("plain-file"), std::string::npos) << error;
    EXPECT_EQ(ReadFileText(temp.Path("plain-file")), "not a folder");
}

TEST(SampleAssets, TheEditorReadsTheCommittedTextureFileAndPalette) {
    const std::filesystem::path committed(TOLVE_SAMPLES_DIR);
    CRecordingMessages boxes;
    CTextureWad wad;
    wad.SetFileName((committed / "quake101.wad").string());
    EXPECT_TRUE(wad.LoadTextureWad());
    EXPECT_TRUE(boxes.m_boxes.empty());
    std::vector<SampleTexture> textures = DrawSampleTextures();
    ASSERT_EQ(wad.GetTextureCount(), static_cast<int>(textures.size()));
    EXPECT_EQ(wad.GetTextureName(0).front(), '*'); // liquids sort first
    for (const SampleTexture& texture : textures) {
        const WadLump* lump = wad.GetFiles().at(0).FindLump(texture.name);
        ASSERT_NE(lump, nullptr) << texture.name;
        EXPECT_EQ(lump->type, 'D');
    }

    TexturePalette palette;
    palette.ReadPaletteFile((committed / "quake.pal").string());
    const PaletteEntry& fire = palette[Shade(Ramp::kFire, 15)];
    EXPECT_EQ(fire.red, 252);
    EXPECT_EQ(fire.flags, 0);
    EXPECT_EQ(palette[0].red + palette[0].green + palette[0].blue, 0);
}
