#include "tools/samples/SamplePalette.h"

#include <gtest/gtest.h>

using namespace samples;

namespace {

int Channel(const std::string& palette, int index, int channel) {
    return static_cast<unsigned char>(palette[static_cast<size_t>(index) * 4 + channel]);
}

int Brightness(const std::string& palette, int index) {
    return Channel(palette, index, 0) + Channel(palette, index, 1) + Channel(palette, index, 2);
}

} // namespace

TEST(SamplePalette, Holds256RecordsOfSixBitColours) {
    std::string palette = MakeSamplePalette();
    ASSERT_EQ(palette.size(), 1024u);
    for (int index = 0; index < 256; ++index) {
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_LT(Channel(palette, index, channel), 64) << "entry " << index;
        EXPECT_EQ(Channel(palette, index, 3), 0) << "entry " << index;
    }
}

TEST(SamplePalette, EveryRampRunsFromDarkToLight) {
    std::string palette = MakeSamplePalette();
    for (int ramp = 0; ramp < kRampCount; ++ramp) {
        for (int level = 1; level < kRampLevels; ++level) {
            int index = ramp * kRampLevels + level;
            EXPECT_GT(Brightness(palette, index), Brightness(palette, index - 1))
                << "ramp " << ramp << " level " << level;
        }
        EXPECT_LT(Brightness(palette, ramp * kRampLevels), 30) << "ramp " << ramp;
        EXPECT_GT(Brightness(palette, ramp * kRampLevels + 15), 100) << "ramp " << ramp;
    }
    // Index 0 is black: the sky's cloud layer shows the layer behind there.
    EXPECT_EQ(Brightness(palette, 0), 0);
}

TEST(SamplePalette, NoTwoEntriesAreTheSame) {
    std::string palette = MakeSamplePalette();
    for (int first = 0; first < 256; ++first) {
        for (int second = first + 1; second < 256; ++second)
            EXPECT_NE(palette.substr(first * 4, 3), palette.substr(second * 4, 3))
                << first << " and " << second;
    }
}

TEST(Shade, PicksTheLevelOfARampAndClampsIt) {
    EXPECT_EQ(Shade(Ramp::kGrey, 0), 0);
    EXPECT_EQ(Shade(Ramp::kWood, 3), 19);
    EXPECT_EQ(Shade(Ramp::kFire, 15), 255);
    EXPECT_EQ(Shade(Ramp::kWater, -4), Shade(Ramp::kWater, 0));
    EXPECT_EQ(Shade(Ramp::kWater, 40), Shade(Ramp::kWater, 15));
    EXPECT_NE(Shade(Ramp::kWater, 40), Shade(Ramp::kSky, 0));
}
