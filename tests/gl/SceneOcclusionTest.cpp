#include "gl/COffscreenScene.h"
#include "scene/CSceneCamera.h"
#include "scene/CSceneModel.h"

#include "TestSupport.h"
#include "view/BoxBrushText.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 160, kHeight = 120;

// A closed room around the origin and, beyond its +X wall, a field of
// crates in groups of their own, and lights over it.
std::string RoomAndFieldText(bool withField) {
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    text += BoxBrushText({-160, -160, -16}, {160, 160, 0});
    text += BoxBrushText({-160, -160, 128}, {160, 160, 144});
    text += BoxBrushText({-176, -160, 0}, {-160, 160, 128});
    text += BoxBrushText({160, -160, 0}, {176, 160, 128});
    text += BoxBrushText({-160, -176, 0}, {160, -160, 128});
    text += BoxBrushText({-160, 160, 0}, {160, 176, 128});
    for (int i = 0; withField && i < 900; ++i) {
        const IntPoint lo{1024 + (i % 30) * 48, -720 + (i / 30) * 48, 0};
        text += BoxBrushText(lo, {lo.x + 32, lo.y + 32, 32 + (i % 7) * 16});
    }
    text += "}\n";
    for (int i = 0; withField && i < 3; ++i)
        text += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(1100 + 200 * i) +
                " 0 96\"\n}\n";
    return text;
}

Matrix4 LookingAlongX(double x) {
    CSceneCamera camera;
    camera.SetPosition({x, 0.0, 64.0});
    camera.SetAngles(0, -5);
    return camera.GetProjectionMatrix(double{kWidth} / kHeight) * camera.GetViewMatrix();
}

QImage RenderOnce(const std::string& text, const Matrix4& viewProjection) {
    std::unique_ptr<ReadMap> read = Read(text);
    COffscreenScene scene;
    std::string error;
    EXPECT_TRUE(scene.Create(kWidth, kHeight, error)) << error;
    CSceneModel model(*read->doc);
    return scene.Render(model, viewProjection, {}, {});
}

// Inside the room the field behind its wall is not drawn, and the picture is
// the room's alone; stepping out, the very next frame shows the field as a
// scene that never hid it does.
TEST(SceneOcclusion, HiddenGroupsAreLeftOutYetNoFrameLacksAFace) {
    std::unique_ptr<ReadMap> read = Read(RoomAndFieldText(true));
    COffscreenScene scene;
    std::string error;
    ASSERT_TRUE(scene.Create(kWidth, kHeight, error)) << error;
    CSceneModel model(*read->doc);
    const QImage inside = scene.Render(model, LookingAlongX(0), {}, {});
    ASSERT_GE(model.GetGroups().GetGroups().size(), 3u);
    EXPECT_LT(scene.GetRenderer().GetDrawnGroupCount(), model.GetGroups().GetGroups().size());
    EXPECT_EQ(scene.GetRenderer().GetDrawnEntityChunkCount(), 0u);
    EXPECT_EQ(inside, RenderOnce(RoomAndFieldText(false), LookingAlongX(0)));

    scene.DrawFrame(LookingAlongX(400), {});
    const QImage outside = scene.GetPicture();
    EXPECT_EQ(outside, RenderOnce(RoomAndFieldText(true), LookingAlongX(400)));
    EXPECT_NE(outside, RenderOnce(RoomAndFieldText(false), LookingAlongX(400)));
}

} // namespace
