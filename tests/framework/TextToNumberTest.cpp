#include "framework/TextToNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

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

TEST(ParseDouble, PlainDecimalsAreExactlyWhatStrtodGives) {
    // Decimals of 1 to 17 digits with the point anywhere: up to 15 digits
    // take the quick way, longer ones the general one; both must round the
    // same. Bit for bit, signs included.
    uint64_t state = 12345;
    int checked = 0;
    for (int digits = 1; digits <= 17; ++digits) {
        for (int round = 0; round < 400; ++round) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            std::string text = std::to_string(state >> 1).substr(0, static_cast<size_t>(digits));
            const size_t point = (state >> 40) % (text.size() + 1);
            if (point < text.size() || round % 2 == 0)
                text.insert(point, ".");
            if (round % 3 == 0)
                text.insert(0, "-");
            const double expected = std::strtod(text.c_str(), nullptr);
            const double parsed = ParseDouble(text.c_str());
            EXPECT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << text;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 17 * 400);
}

TEST(ParseDouble, AShortDecimalStopsWhereANumberCannotGoOn) {
    EXPECT_EQ(ParseDouble("5."), 5.0);
    EXPECT_EQ(ParseDouble("1.000000"), 1.0);
    EXPECT_EQ(ParseDouble("0.1"), 0.1);
    EXPECT_EQ(ParseDouble("2.5]"), 2.5);
    EXPECT_EQ(ParseDouble("1.5.3"), 1.5);
    EXPECT_EQ(ParseDouble("1.5e2"), 150.0); // an exponent goes on
    EXPECT_EQ(ParseDouble("2E1"), 20.0);
    EXPECT_EQ(ParseDouble("0x1p4"), 16.0);
    EXPECT_EQ(ParseDouble("123456789012345.6"), 123456789012345.6);
    EXPECT_TRUE(std::signbit(ParseDouble("-0.000")));
    EXPECT_EQ(ParseDouble("."), 0.0);
}
