#include "gl/COffscreenScene.h"
#include "map/TextureProjection.h"
#include "scene/CSceneCamera.h"
#include "scene/CSceneModel.h"
#include "scene/ScenePicking.h"
#include "texture/TexturePalette.h"

#include "TestSupport.h"
#include "tools/ToolRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A slab whose face at x = 0 looks at a camera on the -X side and fills its
// picture; that face carries `texturePart`, the others plain numbers.
std::string SlabMapText(const std::string& texturePart, bool valve) {
    const std::string plain =
        valve ? " brick_red [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n" : " brick_red 0 0 0 1 1\n";
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    if (valve)
        text += "\"mapversion\" \"220\"\n";
    text += "{\n( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) " + texturePart + "\n";
    text += "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )" + plain;
    text += "( 0 -2048 1 ) ( 1 -2048 0 ) ( 0 -2048 0 )" + plain;
    text += "( 0 2048 1 ) ( -1 2048 0 ) ( 0 2048 0 )" + plain;
    text += "( 0 1 -2048 ) ( -1 0 -2048 ) ( 0 0 -2048 )" + plain;
    text += "( 0 1 2048 ) ( 1 0 2048 ) ( 0 0 2048 )" + plain + "}\n}\n";
    return text;
}

struct TexelCase {
    const char* name;
    const char* texturePart;
    bool valve;
};

class SceneTexel : public testing::TestWithParam<TexelCase> {};

constexpr int kSize = 200;

// The palette colour of the texel the map compilers put where the ray first
// meets a face of the picture's texture; nothing where it meets anything
// else, or so near a texel's edge that one pixel of rounding could tell
// another texel.
std::optional<QRgb> ExpectedColour(const CTolveDoc& doc, const SceneRay& ray,
                                   const std::string& texture, const IndexedPicture& picture,
                                   const TexturePalette& palette) {
    const ScenePick pick = PickAlongRay(doc, ray);
    if (!pick.brush || pick.brush->m_faces[pick.face].texture != texture)
        return std::nullopt;
    const TexelMapping mapping = GetTexelMapping(*pick.brush, pick.face);
    const double s = mapping.S(pick.point), t = mapping.T(pick.point);
    const double edge = 0.03;
    if (std::fabs(s - std::round(s)) < edge || std::fabs(t - std::round(t)) < edge)
        return std::nullopt;
    auto wrap = [](double v, int size) {
        const long long i = static_cast<long long>(std::floor(v)) % size;
        return static_cast<int>(i < 0 ? i + size : i);
    };
    const uint8_t index = picture.pixels[static_cast<size_t>(
        wrap(t, picture.height) * picture.width + wrap(s, picture.width))];
    return qRgb(palette[index].red, palette[index].green, palette[index].blue);
}

struct PixelTally {
    int compared = 0;
    int wrong = 0;
};

// Every seventh pixel each way where the texture shows.
PixelTally ComparePixels(const QImage& image, const CTolveDoc& doc, const CSceneCamera& camera,
                         const std::string& texture, const TexturePalette& palette) {
    CTextureWad& wad = const_cast<CTolveDoc&>(doc).m_textureWad;
    wad.OpenTextureFiles();
    const std::optional<IndexedPicture> picture = wad.ReadTexturePixels(texture);
    PixelTally tally;
    for (int py = 3; picture && py < image.height(); py += 7) {
        for (int px = 2; px < image.width(); px += 7) {
            const SceneRay ray = camera.MakeRay(px, py, image.width(), image.height());
            const std::optional<QRgb> expected =
                ExpectedColour(doc, ray, texture, *picture, palette);
            if (!expected)
                continue;
            ++tally.compared;
            tally.wrong += (image.pixel(px, py) & 0xFFFFFF) != (*expected & 0xFFFFFF);
        }
    }
    wad.CloseTextureFiles();
    return tally;
}

TexturePalette SamplePalette() {
    TexturePalette palette;
    palette.ReadPaletteFile(std::string(TOLVE_SAMPLES) + "/quake.pal");
    return palette;
}

// Fullbright, every pixel shows exactly the palette colour of the texel the
// compilers map to the point it sees.
TEST_P(SceneTexel, PixelsShowTheTexelsTheCompilersMap) {
    std::unique_ptr<ReadMap> read = Read(SlabMapText(GetParam().texturePart, GetParam().valve));
    CTolveDoc& doc = *read->doc;
    doc.m_textureWad.SetFileName(std::string(TOLVE_SAMPLES) + "/quake101.wad");
    ASSERT_TRUE(doc.m_textureWad.LoadTextureWad());
    const TexturePalette palette = SamplePalette();
    COffscreenScene scene;
    std::string error;
    ASSERT_TRUE(scene.Create(kSize, kSize, error)) << error;
    CSceneModel model(doc);
    CSceneCamera camera;
    camera.SetPosition({-90.0, 3.0, -5.0});
    const QImage image = scene.Render(
        model, camera.GetProjectionMatrix(1.0) * camera.GetViewMatrix(), {true, true}, palette);
    const PixelTally tally =
        ComparePixels(image, doc, camera, doc.GetWorldBrushes()[0]->m_faces[0].texture, palette);
    EXPECT_GT(tally.compared, 500);
    EXPECT_EQ(tally.wrong, 0) << "of " << tally.compared;
}

// tolve-map render --camera on a real map: where its fence texture shows, the
// picture has the colours of the texels the compilers map there.
TEST(CameraRender, ARealMapShowsItsTexturesWhereTheCompilersPutThem) {
    CTempDir dir;
    const std::filesystem::path map = dir.Path("tjunc.map");
    std::filesystem::copy_file(TestDataPath("maps/ericw_q1_tjunc_matrix.map"), map);
    // The map names its texture files relative to its folder.
    std::filesystem::create_directories(dir.Path("deprecated"));
    std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"),
                               dir.Path("deprecated/fence.wad"));
    const std::string cameraText = "-272 240 -60 270 -10";
    const std::string picturePath = dir.Path("picture.png").string();
    const ToolRun run = RunToolIn(std::string(TOLVE_SAMPLES), dir, "render",
                                  {map.string(), "--camera", cameraText, "--size", "480x320",
                                   "--fullbright", "--out", picturePath});
    ASSERT_EQ(run.status, 0) << run.err;

    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(doc.ReadMapFile(map.string(), diagnostics).has_value());
    doc.m_textureWad.SetFileName(dir.Path("deprecated/fence.wad").string());
    ASSERT_TRUE(doc.m_textureWad.LoadTextureWad());
    const QImage image(QString::fromStdString(picturePath));
    ASSERT_EQ(image.size(), QSize(480, 320));
    const PixelTally tally =
        ComparePixels(image, doc, *ParseCamera(cameraText), "{trigger", SamplePalette());
    EXPECT_GT(tally.compared, 40);
    EXPECT_EQ(tally.wrong, 0) << "of " << tally.compared;
}

INSTANTIATE_TEST_SUITE_P(
    Faces, SceneTexel,
    testing::Values(
        TexelCase{"Standard", "brick_grey 5 -7 30 0.5 1.5", false},
        TexelCase{"StandardMirrored", "pillar1 -13 2 -110 -0.75 0.25", false},
        TexelCase{"Valve", "brick_grey [ 0 0.8 0.6 9 ] [ 0 -0.6 0.8 -3 ] 0 0.5 0.75", true},
        TexelCase{"ValveSkewed", "pillar1 [ 0.3 1 0.2 4.5 ] [ 0 0.1 -1 17 ] 0 -2 0.4", true}),
    [](const testing::TestParamInfo<TexelCase>& info) { return std::string(info.param.name); });

} // namespace
