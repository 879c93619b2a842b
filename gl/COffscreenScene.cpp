#include "gl/COffscreenScene.h"

#include "gl/SceneSurfaceFormat.h"
#include "scene/CSceneModel.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <cstdint>

COffscreenScene::COffscreenScene() = default;

COffscreenScene::~COffscreenScene() {
    if (m_context && m_context->makeCurrent(m_surface.get())) {
        m_renderer.Release();
        m_frame.reset();
        m_context->doneCurrent();
    }
}

bool COffscreenScene::Create(int width, int height, std::string& error) {
    m_context = std::make_unique<QOpenGLContext>();
    m_context->setFormat(MakeSceneSurfaceFormat());
    m_surface = std::make_unique<QOffscreenSurface>();
    m_surface->setFormat(m_context->format());
    m_surface->create();
    if (!m_context->create() || !m_context->makeCurrent(m_surface.get())) {
        error = kNoOpenGLMessage;
        return false;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    m_frame = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
    if (!m_frame->isValid()) {
        error = kNoOpenGLMessage;
        return false;
    }
    return m_renderer.Initialize(error);
}

QImage COffscreenScene::Render(CSceneModel& model, const Matrix4& viewProjection,
                               const SceneDrawOptions& options, const TexturePalette& palette) {
    m_context->makeCurrent(m_surface.get());
    m_frame->bind();
    m_renderer.SetViewport(m_frame->width(), m_frame->height());
    model.Update(SIZE_MAX);
    m_renderer.SyncGroups(model.GetGroups());
    if (model.TakeEntityBoxesChanged())
        m_renderer.SetEntityBoxes(model.GetEntityBoxes());
    if (model.TakeSetTintChanged())
        m_renderer.SetSetTint(model.GetSetTint());
    if (model.TakeHoverTintChanged())
        m_renderer.SetHoverTint(model.GetHoverTint());
    // The first drawing asks for the textures it met; the second has them.
    m_renderer.Draw(viewProjection, options);
    while (
        m_renderer.LoadTextures(model.GetDocument().m_textureWad, palette, std::chrono::hours(1))) {
    }
    m_renderer.Draw(viewProjection, options);
    QImage picture = m_frame->toImage();
    m_frame->release();
    return picture;
}

void COffscreenScene::DrawFrame(const Matrix4& viewProjection, const SceneDrawOptions& options) {
    m_context->makeCurrent(m_surface.get());
    m_frame->bind();
    m_renderer.SetViewport(m_frame->width(), m_frame->height());
    m_renderer.Draw(viewProjection, options);
}

QImage COffscreenScene::GetPicture() const {
    return m_frame->toImage();
}
