#include "view/PasteOffset.h"

#include "view/CViewProjection.h"

#include <gtest/gtest.h>

// A box centred on (20 4 100); the cursor at (50 -30 7) snaps to (48 -32 8)
// with a snap of 8.
namespace {
const IntBox kBox{IntPoint(0, -4, 90), IntPoint(40, 12, 110)};
const IntPoint kCursor(50, -30, 7);
} // namespace

TEST(PasteOffset, XYKeepsTheHeight) {
    // x: 48 - 20 = 28, 3.5 steps: 32; y: -32 - 4 = -36, 4.5 steps: -32.
    EXPECT_EQ(PasteOffset(kBox, kCursor, kPlaneXY, 8), IntPoint(32, -32, 0));
}

TEST(PasteOffset, XZKeepsY) {
    // z: 8 - 100 = -92, -11.5 steps: -88.
    EXPECT_EQ(PasteOffset(kBox, kCursor, kPlaneXZ, 8), IntPoint(32, 0, -88));
}

TEST(PasteOffset, YZKeepsX) {
    EXPECT_EQ(PasteOffset(kBox, kCursor, kPlaneYZ, 8), IntPoint(0, -32, -88));
}

TEST(PasteOffset, ACentreOnTheGridLandsExactlyOnTheSnappedCursor) {
    const IntBox box{IntPoint(-16, 0, 0), IntPoint(16, 64, 64)}; // centre (0 32 32)
    const IntPoint offset = PasteOffset(box, IntPoint(101, 203, 0), kPlaneXY, 16);
    // The cursor snaps to (96 208); the centre goes there.
    EXPECT_EQ(offset, IntPoint(96, 176, 0));
}

TEST(PasteOffset, ASnapOfOneFollowsTheCursorExactly) {
    EXPECT_EQ(PasteOffset(kBox, kCursor, kPlaneXY, 1), IntPoint(30, -34, 0));
}
