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

// A zoomed-in view resets at every corner marker, mostly with nothing drawn
// in between: such resets still forget, however many come, and the lines
// drawn after them are remembered again.
TEST(CLineCache, ResetsWithNothingBetweenStillForget) {
    CLineCache cache;
    EXPECT_FALSE(cache.SeenBefore(1, 2, 30, 40));
    for (int i = 0; i < 20000; ++i)
        cache.Reset();
    EXPECT_FALSE(cache.SeenBefore(1, 2, 30, 40));
    EXPECT_TRUE(cache.SeenBefore(1, 2, 30, 40));
    for (int i = 0; i < 5000; ++i) {
        cache.Reset();
        cache.Reset();
        EXPECT_FALSE(cache.SeenBefore(i % 7, 2, 30, 40)) << i;
    }
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
