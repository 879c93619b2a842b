#include "scene/CSceneCamera.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 360;
constexpr double kAspect = double{kWidth} / kHeight;

// Where the two matrices put a point: pixel coordinates (pixel centres at
// whole numbers, as MakeRay takes them) and depth in -1..1.
Vec3d ProjectToPixel(const CSceneCamera& camera, const Vec3d& point, double aspect = kAspect) {
    const ClipPoint c =
        Transform(camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix(), point);
    return {(c.x / c.w + 1.0) * 0.5 * kWidth - 0.5, (1.0 - c.y / c.w) * 0.5 * kHeight - 0.5,
            c.z / c.w};
}

void ExpectNear(const Vec3d& a, const Vec3d& b, double tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

CSceneCamera CameraAt(const Vec3d& position, double yaw, double pitch) {
    CSceneCamera camera;
    camera.SetPosition(position);
    camera.SetAngles(yaw, pitch);
    return camera;
}

TEST(SceneCamera, RayThroughAPixelPassesThroughWhatTheMatricesDrawThere) {
    for (const CSceneCamera& camera :
         {CameraAt({0, 0, 0}, 0, 0), CameraAt({100, -250, 64}, 135, -30)}) {
        for (const Vec3d& offset :
             {Vec3d{300, 40, -20}, Vec3d{-80, 200, 150}, Vec3d{50, -60, 90}}) {
            const Vec3d point = camera.GetPosition() + camera.Forward() * 400.0 + offset;
            const Vec3d pixel = ProjectToPixel(camera, point);
            const SceneRay ray = camera.MakeRay(pixel.x, pixel.y, kWidth, kHeight);
            EXPECT_EQ(ray.origin, camera.GetPosition());
            ExpectNear(ray.direction, Normalized(point - camera.GetPosition()), 1e-5);
            const std::optional<ScenePixel> back = camera.PixelOf(point, kWidth, kHeight);
            ASSERT_TRUE(back);
            EXPECT_NEAR(back->x, pixel.x, 1e-3);
            EXPECT_NEAR(back->y, pixel.y, 1e-3);
            // Behind the eye nothing shows; a segment from there shows from
            // where it passes the near plane.
            const Vec3d behind = camera.GetPosition() - (point - camera.GetPosition());
            EXPECT_FALSE(camera.PixelOf(behind, kWidth, kHeight));
            const auto segment = camera.SegmentPixels(point, behind, kWidth, kHeight);
            ASSERT_TRUE(segment);
            EXPECT_NEAR(segment->first.x, pixel.x, 1e-3);
            EXPECT_NEAR(segment->second.y, pixel.y, 1e-3); // the segment runs through the eye
        }
    }
    // 90 degrees across a 4:3 picture: its right edge lies 45 degrees right.
    const CSceneCamera ahead = CameraAt({0, 0, 0}, 90, 0);
    const Vec3d edge = ahead.MakeRay(399.5, 149.5, 400, 300).direction;
    ExpectNear(edge, Normalized({1, 1, 0}), 1e-12);
}

// About the point it looks at the camera keeps looking at it from as far; about
// any other point that point stays where it is in the picture.
TEST(SceneCamera, OrbitKeepsTheCentreWhereItIsInThePicture) {
    CSceneCamera camera = CameraAt({-300, 50, 120}, 20, -15);
    const Vec3d looked = camera.GetPosition() + camera.Forward() * 500.0;
    camera.Orbit(looked, 70, 40);
    EXPECT_NEAR(camera.GetYaw(), 90, 1e-9);
    EXPECT_NEAR(camera.GetPitch(), 25, 1e-9);
    ExpectNear(camera.GetPosition() + camera.Forward() * 500.0, looked, 1e-9);

    const Vec3d aside = looked + camera.Right() * 120.0 + Vec3d{0, 0, 35};
    const Vec3d before = ProjectToPixel(camera, aside);
    camera.Orbit(aside, -150, 80); // past the top: the pitch stops at the limit
    EXPECT_EQ(camera.GetPitch(), CSceneCamera::kMaxPitch);
    ExpectNear(ProjectToPixel(camera, aside), before, 1e-3);
}

TEST(SceneCamera, FrameShowsTheWholeBox) {
    const IntBox box{{-500, 200, -40}, {900, 260, 700}};
    for (double aspect : {kAspect, 0.5}) {
        CSceneCamera camera = CameraAt({5000, 5000, 5000}, 200, -20);
        camera.Frame(box, aspect);
        for (int i = 0; i < 8; ++i) {
            const Vec3d corner{double((i & 1) ? box.max.x : box.min.x),
                               double((i & 2) ? box.max.y : box.min.y),
                               double((i & 4) ? box.max.z : box.min.z)};
            const Vec3d pixel = ProjectToPixel(camera, corner, aspect);
            EXPECT_GT(pixel.x, -0.5);
            EXPECT_LT(pixel.x, kWidth - 0.5);
            EXPECT_GT(pixel.y, -0.5);
            EXPECT_LT(pixel.y, kHeight - 0.5);
            EXPECT_GT(pixel.z, -1.0);
            EXPECT_LT(pixel.z, 1.0);
        }
        EXPECT_EQ(camera.GetYaw(), 200); // from where it looked before
    }
}

TEST(SceneCamera, MovesGoAlongTheirDirectionsAndSpeedStaysInRange) {
    CSceneCamera camera = CameraAt({0, 0, 0}, 90, 30);
    camera.Fly(2, 3, 4);
    ExpectNear(camera.GetPosition(), camera.Forward() * 2.0 + camera.Right() * 3.0 + Vec3d{0, 0, 4},
               1e-12);
    const Vec3d start = camera.GetPosition();
    camera.Pan(-5, 6);
    camera.Dolly(7);
    ExpectNear(camera.GetPosition(),
               start + camera.Right() * -5.0 + camera.Up() * 6.0 + camera.Forward() * 7.0, 1e-12);
    camera.Look(-100, -200);
    EXPECT_EQ(camera.GetYaw(), 350);
    EXPECT_EQ(camera.GetPitch(), -CSceneCamera::kMaxPitch);

    camera.SetSpeed(1e9);
    EXPECT_EQ(camera.GetSpeed(), CSceneCamera::kMaxSpeed);
    camera.SetSpeed(64);
    EXPECT_EQ(camera.FlySpeed(true, false), 256);
    EXPECT_EQ(camera.FlySpeed(false, true), 8);
}

struct CameraText {
    std::string text;
    std::optional<std::string> formatted; // none: refused
};

class CameraTextTest : public testing::TestWithParam<CameraText> {};

TEST_P(CameraTextTest, ReadsBackAsWrittenOrIsRefused) {
    const std::optional<CSceneCamera> camera = ParseCamera(GetParam().text);
    ASSERT_EQ(camera.has_value(), GetParam().formatted.has_value());
    if (camera) {
        EXPECT_EQ(FormatCamera(*camera), *GetParam().formatted);
        EXPECT_EQ(ParseCamera(FormatCamera(*camera)), camera);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SceneCamera, CameraTextTest,
    testing::Values(
        CameraText{"0 0 0 0 0", "0 0 0 0 0"},
        CameraText{" 1.5\t-2 3e2 90 -30.25 ", "1.5 -2 300 90 -30.25"},
        CameraText{"65536 -65536 0 -90 89", "65536 -65536 0 270 89"},
        CameraText{"0.1 0 0 720.5 0", "0.1 0 0 0.5 0"}, CameraText{"1 2 3 4", std::nullopt},
        CameraText{"1 2 3 4 5 6", std::nullopt}, CameraText{"1 2 3 4 5x", std::nullopt},
        CameraText{"", std::nullopt}, CameraText{"nan 0 0 0 0", std::nullopt},
        CameraText{"0 0 0 inf 0", std::nullopt}, CameraText{"0 0 1e999 0 0", std::nullopt},
        CameraText{"65536.5 0 0 0 0", std::nullopt}, CameraText{"0 0 0 0 -89.5", std::nullopt},
        CameraText{std::string("1 2 3 4 5\0 6", 11), std::nullopt}));

} // namespace
