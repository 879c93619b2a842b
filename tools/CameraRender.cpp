#include "tools/CameraRender.h"

#include "gl/COffscreenScene.h"
#include "scene/CSceneCamera.h"
#include "scene/CSceneModel.h"
#include "texture/TexturePalette.h"

#include <cstdio>

int RenderCameraPicture(CTolveDoc& doc, const std::string& cameraText, int width, int height,
                        const SceneDrawOptions& options, const char* output) {
    const std::optional<CSceneCamera> camera = ParseCamera(cameraText);
    if (!camera) {
        std::fprintf(stderr,
                     "tolve-map: --camera wants \"X Y Z YAW PITCH\": five numbers, the position "
                     "inside the world and the pitch within 89 degrees of level\n");
        return 2;
    }
    COffscreenScene scene;
    std::string error;
    if (!scene.Create(width, height, error)) {
        std::fprintf(stderr, "tolve-map: %s\n", error.c_str());
        return 1;
    }
    // The textures of the map's list, in the palette the previews use (from
    // the folder the program started in).
    doc.m_textureWad.LoadTextureWad();
    LoadTexturePalette();
    CSceneModel model(doc);
    const Matrix4 viewProjection =
        camera->GetProjectionMatrix(static_cast<double>(width) / height) * camera->GetViewMatrix();
    const QImage picture = scene.Render(model, viewProjection, options, GetTexturePalette());
    if (!picture.save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "tolve-map: couldn't write %s\n", output);
        return 1;
    }
    std::printf("%s: camera %s\n", output, FormatCamera(*camera).c_str());
    return 0;
}
