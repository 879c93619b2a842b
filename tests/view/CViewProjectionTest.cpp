#include "view/CViewProjection.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct TransformCase {
    const char* name;
    int32_t plane;
    bool flipped;
    bool threeD;
    int32_t zoom;
    IntPoint world;
    ScreenPoint expected;
};

CViewProjection Projection(const TransformCase& c) {
    CViewProjection p;
    p.m_viewMode = c.plane;
    p.m_flipped = c.flipped;
    p.m_threeD = c.threeD;
    p.m_zoom = c.zoom;
    return p; // origins at their initial -100, 100, 100
}

} // namespace

// One row per plane, flip, 3D and zoom case; the origins are the initial ones.
TEST(CViewProjection, WorldToScreenTable) {
    const TransformCase cases[] = {
        {"xy", kPlaneXY, false, false, 1, {10, 20, 30}, {110, 80}},
        {"xy flipped", kPlaneXY, true, false, 1, {10, 20, 30}, {90, 80}},
        {"xy 3d up", kPlaneXY, false, true, 1, {10, 20, 3}, {109, 81}},
        {"xy 3d down", kPlaneXY, false, true, 1, {10, 20, -3}, {111, 79}},
        {"xy 3d flipped", kPlaneXY, true, true, 1, {10, 20, 4}, {92, 78}},
        {"xy zoom 4 truncates", kPlaneXY, false, false, 4, {-97, 103, 0}, {0, 0}},
        {"xy zoom 4 negative", kPlaneXY, false, false, 4, {-104, 96, 0}, {-1, 1}},
        {"xz", kPlaneXZ, false, false, 1, {10, 20, 30}, {110, 70}},
        {"xz 3d", kPlaneXZ, false, true, 1, {10, 20, 30}, {120, 60}},
        {"xz flipped 3d", kPlaneXZ, true, true, 1, {10, 20, 30}, {80, 80}},
        {"yz", kPlaneYZ, false, false, 1, {10, 20, 30}, {80, 70}},
        {"yz flipped", kPlaneYZ, true, false, 1, {10, 20, 30}, {120, 70}},
        {"yz 3d", kPlaneYZ, false, true, 1, {10, 20, 30}, {85, 65}},
        {"yz zoom 2", kPlaneYZ, false, false, 2, {10, 21, 31}, {39, 34}},
    };
    for (const TransformCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Projection(c).WorldToScreen(c.world), c.expected);
    }
}

TEST(CViewProjection, UnknownPlaneMapsEverythingToTheCorner) {
    CViewProjection p;
    p.m_viewMode = 7;
    EXPECT_EQ(p.WorldToScreen(5, 6, 7), (ScreenPoint{0, 0}));
}

TEST(CViewProjection, ColumnsAreNotSymmetricAroundTheOrigin) {
    CViewProjection p;
    p.m_zoom = 4;
    p.m_originX = 0;
    for (int32_t x = -3; x <= 3; ++x)
        EXPECT_EQ(p.WorldToScreen(x, 0, 0).x, 0) << x;
    EXPECT_EQ(p.WorldToScreen(4, 0, 0).x, 1);
    EXPECT_EQ(p.WorldToScreen(-4, 0, 0).x, -1);
}

TEST(CViewProjection, ScreenToWorldTakesTheDepthFromTheInsertionPoint) {
    const IntPoint insertion{7, 8, 9};
    CViewProjection p;
    p.m_zoom = 2;
    EXPECT_EQ(p.ScreenToWorld(10, 20, insertion), IntPoint(-80, 60, 9));
    p.m_flipped = true;
    EXPECT_EQ(p.ScreenToWorld(10, 20, insertion), IntPoint(80, 60, 9));
    p.m_viewMode = kPlaneXZ;
    EXPECT_EQ(p.ScreenToWorld(10, 20, insertion), IntPoint(80, 8, 60));
    p.m_viewMode = kPlaneYZ;
    EXPECT_EQ(p.ScreenToWorld(10, 20, insertion), IntPoint(7, -80, 60));
    p.m_flipped = false;
    EXPECT_EQ(p.ScreenToWorld(10, 20, insertion), IntPoint(7, 80, 60));
}

TEST(CViewProjection, ScreenToWorldInvertsWorldToScreenAtZoomOne) {
    const IntPoint insertion{0, 0, 0};
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        for (bool flipped : {false, true}) {
            CViewProjection p;
            p.m_viewMode = plane;
            p.m_flipped = flipped;
            IntPoint world = p.ScreenToWorld(37, -12, insertion);
            EXPECT_EQ(p.WorldToScreen(world), (ScreenPoint{37, -12})) << plane << flipped;
        }
    }
}

TEST(CViewProjection, ScreenToWorldAtDepthMovesTowardTheViewer) {
    const IntPoint insertion{5, 6, 7};
    CViewProjection p;
    EXPECT_EQ(p.ScreenToWorldAtDepth(0, 0, 64, insertion).z, 71);
    p.m_viewMode = kPlaneXZ;
    EXPECT_EQ(p.ScreenToWorldAtDepth(0, 0, 64, insertion).y, -58);
    p.m_viewMode = kPlaneYZ;
    EXPECT_EQ(p.ScreenToWorldAtDepth(0, 0, 64, insertion).x, -59);
    p.m_flipped = true;
    EXPECT_EQ(p.ScreenToWorldAtDepth(0, 0, 64, insertion).x, 69);
    p.m_viewMode = kPlaneXY;
    EXPECT_EQ(p.ScreenToWorldAtDepth(0, 0, 64, insertion).z, -57);
}

TEST(SnapValue, GoesToTheNearestMultipleWithHalvesUpward) {
    const struct {
        int32_t a, b, expected;
    } cases[] = {{3, 8, 0},
                 {4, 8, 8},
                 {12, 8, 16},
                 {11, 8, 8},
                 {0, 8, 0},
                 {7, 1, 7},
                 {5, 3, 6},
                 {4, 3, 3},
                 {-3, 8, 0},
                 {-4, 8, 0},
                 {-5, 8, -8},
                 {-12, 8, -8},
                 {-15, 8, -16},
                 {-16, 8, -16},
                 {-20, 8, -16},
                 {-21, 8, -24},
                 {-4, 3, -3},
                 {-5, 3, -6},
                 {-7, 1, -7},
                 {-512, 1024, 0},
                 {-513, 1024, -1024},
                 {INT32_MIN, 1, INT32_MIN},
                 {INT32_MAX, 1, INT32_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(SnapValue(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(SnapValue, IsSymmetricAroundZeroExceptForTheHalves) {
    // -a snaps to -(snap of a) unless a lies exactly halfway between multiples.
    for (int32_t step : {1, 2, 3, 8, 64}) {
        for (int32_t a = -200; a <= 200; ++a) {
            if (step % 2 == 0 && std::abs(a % step) == step / 2)
                continue;
            EXPECT_EQ(SnapValue(-a, step), -SnapValue(a, step)) << a << " " << step;
        }
    }
}

TEST(CViewProjection, ScrollingMovesTheRegionTheSameWayInEveryPlane) {
    CViewProjection p;
    p.m_zoom = 2;
    p.ScrollUp();
    EXPECT_EQ(p.m_originY, 116);
    p.ScrollRight();
    EXPECT_EQ(p.m_originX, -84);
    p.m_viewMode = kPlaneXZ;
    p.ScrollDown();
    EXPECT_EQ(p.m_originZ, 84);
    p.m_viewMode = kPlaneYZ;
    p.ScrollRight();
    EXPECT_EQ(p.m_originY, 100);
    p.ScrollLeft();
    EXPECT_EQ(p.m_originY, 116);
    p.ScrollUp();
    EXPECT_EQ(p.m_originZ, 100);
}

TEST(CViewProjection, ZoomKeepsTheCentreAndStopsAtSixteenPixelsAUnit) {
    CViewProjection p;
    const IntPoint centre = p.ScreenToWorld(400, 300, IntPoint());
    for (int32_t magnify = 2; magnify <= 16; magnify *= 2) {
        EXPECT_TRUE(p.ZoomIn(801, 600));
        EXPECT_EQ(p.m_magnify, magnify);
        EXPECT_EQ(p.ScreenToWorld(400, 300, IntPoint()), centre);
    }
    EXPECT_FALSE(p.ZoomIn(801, 600));
    EXPECT_EQ(p.m_magnify, 16);
    for (int i = 0; i < 4; ++i)
        p.ZoomOut(801, 600);
    EXPECT_FALSE(p.IsMagnified());
    EXPECT_EQ(p.m_originX, -100);
    EXPECT_EQ(p.m_originY, 100);
    p.ZoomOut(801, 600); // W/2 = 400, H/2 = 300, old zoom 1
    EXPECT_EQ(p.m_zoom, 2);
    EXPECT_EQ(p.m_originX, -500);
    EXPECT_EQ(p.m_originY, 400);
    EXPECT_EQ(p.m_originZ, 400);
    EXPECT_TRUE(p.ZoomIn(801, 600));
    EXPECT_EQ(p.m_zoom, 1);
    EXPECT_EQ(p.m_originX, -100);
    EXPECT_EQ(p.m_originY, 100);
    EXPECT_EQ(p.m_originZ, 100);
}

TEST(CViewProjection, ZoomInYzUsesTheWidthForY) {
    CViewProjection p;
    p.m_viewMode = kPlaneYZ;
    p.m_zoom = 4;
    EXPECT_TRUE(p.ZoomIn(800, 600));
    EXPECT_EQ(p.m_zoom, 2);
    EXPECT_EQ(p.m_originX, -100 + 400 * 2);
    EXPECT_EQ(p.m_originY, 100 - 400 * 2);
    EXPECT_EQ(p.m_originZ, 100 - 300 * 2);
}

TEST(CViewProjection, ZoomOutWithoutEndStaysAtLeastOne) {
    CViewProjection p;
    for (int i = 0; i < 40; ++i)
        p.ZoomOut(800, 600);
    EXPECT_GE(p.m_zoom, 1);
}
