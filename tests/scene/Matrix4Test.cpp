#include "scene/Matrix4.h"

#include <gtest/gtest.h>

namespace {

// A point straight ahead lands in the middle of the picture, at the depth its
// distance gives between the near plane (-1) and the far one (+1).
TEST(Matrix4, ViewThenPerspectivePutsPointsWhereOpenGLExpects) {
    const Matrix4 view = MakeLookAlong({10, 20, 30}, {1, 0, 0}, {0, 0, 1});
    const Matrix4 both = MakePerspective(90.0, 2.0, 1.0, 100.0) * view;
    auto ndc = [&](const Vec3d& p) {
        const ClipPoint c = Transform(both, p);
        return Vec3d{c.x / c.w, c.y / c.w, c.z / c.w};
    };
    const Vec3d nearAhead = ndc({11, 20, 30});
    EXPECT_NEAR(nearAhead.x, 0.0, 1e-6);
    EXPECT_NEAR(nearAhead.y, 0.0, 1e-6);
    EXPECT_NEAR(nearAhead.z, -1.0, 1e-5);
    EXPECT_NEAR(ndc({110, 20, 30}).z, 1.0, 1e-5);
    // At 45 degrees up the top edge; to the left (+Y when looking along +X)
    // half way across, the aspect being 2.
    EXPECT_NEAR(ndc({20, 20, 40}).y, 1.0, 1e-5);
    EXPECT_NEAR(ndc({20, 30, 30}).x, -0.5, 1e-5);
}

} // namespace
