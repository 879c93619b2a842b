#include "tools/samples/SampleAssets.h"
#include "tools/samples/SampleTextures.h"

#include "WadTestReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace samples;
using namespace samples_test;

namespace {

std::string SampleWad() {
    for (const SampleFile& file : MakeSampleFiles()) {
        if (file.name == "quake101.wad")
            return file.bytes;
    }
    return {};
}

bool Contains(const std::set<std::string>& names, const std::string& name) {
    return names.count(name) > 0;
}

} // namespace

TEST(SampleWad, ListsEnoughUniquelyNamedMipTextures) {
    std::string bytes = SampleWad();
    ASSERT_EQ(bytes.substr(0, 4), "WAD2");
    std::vector<WadTestEntry> entries = ReadWadDirectory(bytes);
    std::set<std::string> names;
    int liquids = 0;
    int animated = 0;
    for (const WadTestEntry& entry : entries) {
        EXPECT_EQ(entry.type, 'D') << entry.name;
        EXPECT_EQ(entry.compression, 0) << entry.name;
        EXPECT_GE(entry.name.size(), 1u);
        EXPECT_LE(entry.name.size(), 15u) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << "twice: " << entry.name;
        liquids += entry.name[0] == '*';
        animated += entry.name[0] == '+';
    }
    EXPECT_GE(names.size(), 24u);
    EXPECT_GE(liquids, 3);
    EXPECT_GE(animated, 2);
    for (const char* name : {"trigger", "sky1", "clip", "*water1", "*lava1", "*slime1", "*teleport",
                             "+0button", "+1button", "+0slipbot"})
        EXPECT_TRUE(Contains(names, name)) << name;
}

TEST(SampleWad, EveryLumpLiesInsideTheFileWithAllFourMipLevels) {
    std::string bytes = SampleWad();
    int32_t directory = ReadWadInt32(bytes, 8);
    for (const WadTestEntry& entry : ReadWadDirectory(bytes)) {
        SCOPED_TRACE(entry.name);
        WadTestTexture texture = ReadWadTexture(bytes, entry);
        EXPECT_EQ(texture.name, entry.name);
        EXPECT_GT(texture.width, 0);
        EXPECT_GT(texture.height, 0);
        EXPECT_EQ(texture.width % 16, 0);
        EXPECT_EQ(texture.height % 16, 0);
        EXPECT_EQ(texture.width & (texture.width - 1), 0) << "not a power of two";
        EXPECT_EQ(texture.height & (texture.height - 1), 0) << "not a power of two";
        int32_t offset = 40;
        for (int level = 0; level < 4; ++level) {
            EXPECT_EQ(texture.mipOffsets[level], offset);
            offset += (texture.width >> level) * (texture.height >> level);
        }
        EXPECT_EQ(entry.size, offset);
        EXPECT_GE(entry.filePosition, 12);
        EXPECT_LE(entry.filePosition + entry.size, directory);
    }
}

TEST(SampleWad, HoldsTheDrawnPixelsAtFullSize) {
    std::string bytes = SampleWad();
    std::vector<WadTestEntry> entries = ReadWadDirectory(bytes);
    std::vector<SampleTexture> textures = DrawSampleTextures();
    ASSERT_EQ(entries.size(), textures.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(textures[i].name);
        EXPECT_EQ(entries[i].name, textures[i].name);
        const std::vector<uint8_t>& pixels = textures[i].image.Pixels();
        std::string stored =
            bytes.substr(static_cast<size_t>(entries[i].filePosition) + 40, pixels.size());
        EXPECT_TRUE(
            std::equal(pixels.begin(), pixels.end(), stored.begin(), [](uint8_t pixel, char byte) {
                return pixel == static_cast<unsigned char>(byte);
            }));
    }
}

TEST(SampleTextures, AreNotFlatAndUseSeveralShades) {
    for (const SampleTexture& texture : DrawSampleTextures()) {
        std::set<uint8_t> colours(texture.image.Pixels().begin(), texture.image.Pixels().end());
        EXPECT_GE(colours.size(), 4u) << texture.name;
    }
}

TEST(SampleTextures, SkyHasCloudsWithHolesOnTheLeftAndOpenSkyOnTheRight) {
    for (const SampleTexture& texture : DrawSampleTextures()) {
        if (texture.name != "sky1")
            continue;
        ASSERT_EQ(texture.image.Width(), 2 * texture.image.Height());
        int holesLeft = 0;
        int holesRight = 0;
        int half = texture.image.Height();
        for (int y = 0; y < half; ++y) {
            for (int x = 0; x < half; ++x) {
                holesLeft += texture.image.At(x, y) == 0;
                holesRight += texture.image.At(half + x, y) == 0;
            }
        }
        EXPECT_GT(holesLeft, half * half / 5);
        EXPECT_LT(holesLeft, half * half * 4 / 5);
        EXPECT_EQ(holesRight, 0);
        return;
    }
    FAIL() << "no sky1";
}
