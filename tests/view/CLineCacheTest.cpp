#include "view/CLineCache.h"

#include <gtest/gtest.h>

TEST(CLineCache, RemembersLinesInEitherDirectionUntilReset) {
    CLineCache cache;
    EXPECT_FALSE(cache.SeenBefore(1, 2, 30, 40));
    EXPECT_TRUE(cache.SeenBefore(1, 2, 30, 40));
    EXPECT_TRUE(cache.SeenBefore(30, 40, 1, 2));
    EXPECT_FALSE(cache.SeenBefore(1, 2, 30, 41));
    cache.Reset();
    EXPECT_FALSE(cache.SeenBefore(1, 2, 30, 40));
}

TEST(CLineCache, FarOffLinesAreNeverTakenForRepeats) {
    CLineCache cache;
    EXPECT_FALSE(cache.SeenBefore(-5000, 0, 10, 10));
    EXPECT_FALSE(cache.SeenBefore(-5000, 0, 10, 10));
    EXPECT_FALSE(cache.SeenBefore(0, 0, 10, 9000));
    EXPECT_FALSE(cache.SeenBefore(0, 0, 10, 9000));
}

TEST(CLineCache, KeepsWorkingAcrossGrowthAndManyResets) {
    CLineCache cache;
    for (int round = 0; round < 5000; ++round) {
        for (int i = 0; i < 64; ++i)
            cache.SeenBefore(i, round % 100, i + 5, 7);
        cache.Reset();
    }
    // A busy picture, then a line that was never drawn and one drawn twice.
    for (int i = 0; i < 100000; ++i)
        cache.SeenBefore(i % 2000, i / 2000, 0, 0);
    cache.Reset();
    EXPECT_FALSE(cache.SeenBefore(17, 18, 19, 20));
    EXPECT_TRUE(cache.SeenBefore(19, 20, 17, 18));
}
