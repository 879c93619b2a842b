#include "tools/samples/CIndexImage.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace samples;

TEST(CIndexImage, StartsFilledRowByRow) {
    CIndexImage image(16, 32, 7);
    EXPECT_EQ(image.Pixels().size(), 16u * 32u);
    image.Set(3, 1, 9);
    EXPECT_EQ(image.Pixels()[1 * 16 + 3], 9);
    EXPECT_EQ(image.At(0, 0), 7);
}

TEST(CIndexImage, CoordinatesWrapAroundBothEdges) {
    CIndexImage image(16, 16);
    image.Set(-1, -1, 5);
    EXPECT_EQ(image.At(15, 15), 5);
    image.Set(16, 33, 6);
    EXPECT_EQ(image.At(0, 1), 6);
    EXPECT_EQ(image.At(-16, -15), 6);
}

TEST(CIndexImage, RectanglesAcrossAnEdgeContinueOnTheOtherSide) {
    CIndexImage image(16, 16);
    image.FillRect(14, 15, 4, 2, 3);
    int filled = 0;
    for (uint8_t pixel : image.Pixels())
        filled += pixel == 3;
    EXPECT_EQ(filled, 8);
    EXPECT_EQ(image.At(1, 0), 3);
    EXPECT_EQ(image.At(14, 15), 3);
    EXPECT_EQ(image.At(2, 0), 0);
}

TEST(CIndexImage, RefusesEmptySizes) {
    EXPECT_THROW(CIndexImage(0, 16), std::invalid_argument);
    EXPECT_THROW(CIndexImage(16, -1), std::invalid_argument);
}
