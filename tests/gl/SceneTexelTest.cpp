#include "gl/COffscreenScene.h"
#include "map/TextureProjection.h"
#include "scene/CSceneModel.h"
#include "texture/TexturePalette.h"

#include "TestSupport.h"

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
constexpr double kVerticalFov = 73.739795291688; // 90 degrees across a 4:3 picture

// The texel colour the map compilers give the face at the point a pixel's
// centre sees, or nothing when the point lies too near a texel's edge for
// one pixel of rounding to be ruled out.
std::optional<QRgb> ExpectedColour(const CMapBrush& brush, const IndexedPicture& picture,
                                   const TexturePalette& palette, const Vec3d& eye, int px,
                                   int py) {
    const double half = std::tan(kVerticalFov * std::numbers::pi / 360.0);
    const double right = ((px + 0.5) / kSize * 2.0 - 1.0) * half;
    const double up = (1.0 - (py + 0.5) / kSize * 2.0) * half;
    // Looking along +X with Z up, the picture's right is -Y.
    const Vec3d direction{1.0, -right, up};
    const Vec3d point = eye + direction * (-eye.x / direction.x);
    const TexelMapping mapping = GetTexelMapping(brush, 0);
    const double s = mapping.S(point), t = mapping.T(point);
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

// Fullbright, every pixel shows exactly the palette colour of the texel the
// compilers map to the point it sees.
TEST_P(SceneTexel, PixelsShowTheTexelsTheCompilersMap) {
    std::unique_ptr<ReadMap> read = Read(SlabMapText(GetParam().texturePart, GetParam().valve));
    CTolveDoc& doc = *read->doc;
    doc.m_textureWad.SetFileName(std::string(TOLVE_SAMPLES) + "/quake101.wad");
    ASSERT_TRUE(doc.m_textureWad.LoadTextureWad());
    TexturePalette palette;
    palette.ReadPaletteFile(std::string(TOLVE_SAMPLES) + "/quake.pal");
    COffscreenScene scene;
    std::string error;
    ASSERT_TRUE(scene.Create(kSize, kSize, error)) << error;
    CSceneModel model(doc);
    const Vec3d eye{-90.0, 3.0, -5.0};
    const Matrix4 viewProjection = MakePerspective(kVerticalFov, 1.0, 1.0, 262144.0) *
                                   MakeLookAlong(eye, {1, 0, 0}, {0, 0, 1});
    const QImage image = scene.Render(model, viewProjection, {true, true}, palette);

    const CMapBrush& brush = *doc.GetWorldBrushes().front();
    ASSERT_TRUE(doc.m_textureWad.OpenTextureFiles());
    const std::optional<IndexedPicture> picture =
        doc.m_textureWad.ReadTexturePixels(brush.m_faces[0].texture);
    ASSERT_TRUE(picture);
    int compared = 0, wrong = 0;
    for (int py = 3; py < kSize; py += 7) {
        for (int px = 2; px < kSize; px += 7) {
            const std::optional<QRgb> expected =
                ExpectedColour(brush, *picture, palette, eye, px, py);
            if (!expected)
                continue;
            ++compared;
            if ((image.pixel(px, py) & 0xFFFFFF) != (*expected & 0xFFFFFF))
                ++wrong;
        }
    }
    EXPECT_GT(compared, 500);
    EXPECT_EQ(wrong, 0) << "of " << compared;
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
