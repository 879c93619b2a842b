#include "framework/TextToNumber.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ParseInt, FollowsTheAtoiRule) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("  \t-17xyz"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("64.5"), 64);
    EXPECT_EQ(ParseInt("0.9"), 0);
    EXPECT_EQ(ParseInt("-0"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt("- 5"), 0);
}

TEST(ParseInt, HugeNumbersKeepTheirLowBits) {
    // 2^32 + 5 and 2^64 + 7 wrap instead of being undefined.
    EXPECT_EQ(ParseInt("4294967301"), 5);
    EXPECT_EQ(ParseInt("18446744073709551623"), 7);
    EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(static_cast<uint16_t>(ParseInt("70000")), 70000 - 65536);
    EXPECT_EQ(ParseInt("99999999999999999999999999999999999999999"), -1);
}

TEST(ParseDouble, FollowsTheAtofRule) {
    EXPECT_DOUBLE_EQ(ParseDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ParseDouble(" -0.25e1junk"), -2.5);
    EXPECT_DOUBLE_EQ(ParseDouble("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseDouble("0x10"), 16.0);
    EXPECT_DOUBLE_EQ(ParseDouble("0x"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble("+-1"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble(""), 0.0);
    EXPECT_TRUE(std::isinf(ParseDouble("1e999")));
    EXPECT_DOUBLE_EQ(ParseDouble("1e-999"), 0.0);
    EXPECT_TRUE(std::isnan(ParseDouble("nan")));
}
