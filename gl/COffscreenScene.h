#pragma once

#include "gl/CSceneRenderer.h"

#include <QImage>

#include <memory>
#include <string>

class CSceneModel;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

// The camera view's drawing without a window: for `tolve-map render
// --camera` and for tests that read pixels back.
class COffscreenScene {
public:
    COffscreenScene();
    ~COffscreenScene();
    COffscreenScene(const COffscreenScene&) = delete;
    COffscreenScene& operator=(const COffscreenScene&) = delete;

    // False, with a message a user can act on, when no OpenGL 3.3 context
    // can be made.
    bool Create(int width, int height, std::string& error);
    // Draws the whole scene, every group built and every texture loaded.
    QImage Render(CSceneModel& model, const Matrix4& viewProjection,
                  const SceneDrawOptions& options, const TexturePalette& palette);
    // Draws again what the last Render uploaded, nothing updated or loaded,
    // and leaves the picture in the frame with the context current: a frame
    // of a view where nothing changed, for measuring.
    void DrawFrame(const Matrix4& viewProjection, const SceneDrawOptions& options);
    // The picture the last drawing left.
    QImage GetPicture() const;
    CSceneRenderer& GetRenderer() { return m_renderer; }

private:
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_frame;
    CSceneRenderer m_renderer;
};
