#include "gl/CSceneRenderer.h"

#include "gl/SceneShaders.h"
#include "scene/SceneCulling.h"

#include <QByteArray>

#include <cstddef>

namespace {

QByteArray Source(const char* body) {
    QByteArray text("#version 330 core\n");
    text += SceneShaders::kLighting;
    text += body;
    return text;
}

} // namespace

bool CSceneRenderer::Initialize(std::string& error) {
    if (!initializeOpenGLFunctions()) {
        error = "OpenGL 3.3 core is not available in this context.";
        return false;
    }
    m_textured = std::make_unique<QOpenGLShaderProgram>();
    m_solid = std::make_unique<QOpenGLShaderProgram>();
    if (!Link(*m_textured, SceneShaders::kTexturedVertex, SceneShaders::kTexturedFragment, error) ||
        !Link(*m_solid, SceneShaders::kSolidVertex, SceneShaders::kSolidFragment, error))
        return false;
    glGenSamplers(1, &m_exactSampler);
    glSamplerParameteri(m_exactSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(m_exactSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenSamplers(1, &m_shadedSampler);
    glSamplerParameteri(m_shadedSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR);
    glSamplerParameteri(m_shadedSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    for (GLuint sampler : {m_exactSampler, m_shadedSampler}) {
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
    m_textures.Initialize(*this);
    m_initialized = true;
    return true;
}

bool CSceneRenderer::Link(QOpenGLShaderProgram& program, const char* vertex, const char* fragment,
                          std::string& error) {
    if (program.addShaderFromSourceCode(QOpenGLShader::Vertex, Source(vertex)) &&
        program.addShaderFromSourceCode(QOpenGLShader::Fragment, Source(fragment)) &&
        program.link())
        return true;
    error = "The camera view's drawing program did not build: " + program.log().toStdString();
    return false;
}

void CSceneRenderer::Release() {
    if (!m_initialized)
        return;
    for (GroupBuffers& buffers : m_groups)
        DeleteBuffers(buffers.vertexArray, buffers.vertices, buffers.indices);
    m_groups.clear();
    GLuint none = 0;
    DeleteBuffers(m_opaque.vertexArray, m_opaque.vertices, none);
    DeleteBuffers(m_setTint.vertexArray, m_setTint.vertices, none);
    DeleteBuffers(m_hoverTint.vertexArray, m_hoverTint.vertices, none);
    glDeleteSamplers(1, &m_exactSampler);
    glDeleteSamplers(1, &m_shadedSampler);
    m_textures.Release();
    m_textured.reset();
    m_solid.reset();
    m_initialized = false;
}

void CSceneRenderer::DeleteBuffers(GLuint& vertexArray, GLuint& vertices, GLuint& indices) {
    if (vertexArray)
        glDeleteVertexArrays(1, &vertexArray);
    for (GLuint* buffer : {&vertices, &indices}) {
        if (*buffer)
            glDeleteBuffers(1, buffer);
        *buffer = 0;
    }
    vertexArray = 0;
}

void CSceneRenderer::SyncGroups(const CSceneGroups& groups) {
    const std::vector<CSceneGroups::Group>& built = groups.GetGroups();
    if (m_groups.size() < built.size())
        m_groups.resize(built.size());
    for (size_t g = 0; g < built.size(); ++g) {
        if (!built[g].stale && built[g].generation != m_groups[g].generation)
            Upload(m_groups[g], built[g]);
    }
}

void CSceneRenderer::Upload(GroupBuffers& buffers, const CSceneGroups::Group& group) {
    if (!buffers.vertexArray) {
        glGenVertexArrays(1, &buffers.vertexArray);
        glGenBuffers(1, &buffers.vertices);
        glGenBuffers(1, &buffers.indices);
        glBindVertexArray(buffers.vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
        const GLsizei stride = sizeof(SceneVertex);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, position)));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, normal)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, texel)));
    }
    glBindVertexArray(buffers.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(group.mesh.vertices.size() * sizeof(SceneVertex)),
                 group.mesh.vertices.data(), GL_STATIC_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(group.mesh.indices.size() * sizeof(uint32_t)),
                 group.mesh.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    buffers.ranges = group.mesh.ranges;
    buffers.box = group.box;
    buffers.generation = group.generation;
    ++m_groupUploads;
}

bool CSceneRenderer::LoadTextures(CTextureWad& wad, const TexturePalette& palette,
                                  std::chrono::steady_clock::duration budget) {
    return m_textures.LoadWanted(wad, palette, budget);
}

void CSceneRenderer::UploadSolids(SolidBuffers& buffers, const std::vector<SolidVertex>& vertices) {
    if (!buffers.vertexArray) {
        glGenVertexArrays(1, &buffers.vertexArray);
        glGenBuffers(1, &buffers.vertices);
        glBindVertexArray(buffers.vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
        const GLsizei stride = sizeof(SolidVertex);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SolidVertex, position)));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SolidVertex, normal)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                              reinterpret_cast<void*>(offsetof(SolidVertex, colour)));
    }
    glBindVertexArray(buffers.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(SolidVertex)),
                 vertices.data(), GL_DYNAMIC_DRAW);
    glBindVertexArray(0);
    buffers.count = static_cast<GLsizei>(vertices.size());
}

void CSceneRenderer::Draw(const Matrix4& viewProjection, const SceneDrawOptions& options) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // A brush's corners run clockwise seen from outside.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
    DrawGroups(viewProjection, options);
    DrawSolids(m_opaque, viewProjection, !options.fullbright);
    if (m_setTint.count > 0 || m_hoverTint.count > 0) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        // The tint lies on the very faces it colours.
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(-1.0f, -1.0f);
        DrawSolids(m_setTint, viewProjection, false);
        DrawSolids(m_hoverTint, viewProjection, false);
        glDisable(GL_POLYGON_OFFSET_FILL);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
}

void CSceneRenderer::DrawGroups(const Matrix4& viewProjection, const SceneDrawOptions& options) {
    const SceneFrustum frustum(viewProjection);
    m_textured->bind();
    m_textured->setUniformValue("picture", 0);
    glUniformMatrix4fv(m_textured->uniformLocation("viewProjection"), 1, GL_FALSE,
                       viewProjection.Data());
    const int sizeLocation = m_textured->uniformLocation("textureSize");
    const int shadedLocation = m_textured->uniformLocation("shaded");
    glActiveTexture(GL_TEXTURE0);
    glBindSampler(0, options.fullbright ? m_exactSampler : m_shadedSampler);
    for (const GroupBuffers& buffers : m_groups) {
        if (!buffers.vertexArray || buffers.ranges.empty() ||
            (buffers.box && !frustum.MayShow(*buffers.box)))
            continue;
        glBindVertexArray(buffers.vertexArray);
        for (const SceneDrawRange& range : buffers.ranges) {
            if (range.kind == SceneTextureKind::kTool && !options.showToolTextures)
                continue;
            const CGlTextureCache::Texture& texture = m_textures.Find(range.texture);
            glBindTexture(GL_TEXTURE_2D, texture.id);
            glUniform2f(sizeLocation, static_cast<float>(texture.width),
                        static_cast<float>(texture.height));
            const bool shaded = !options.fullbright && range.kind != SceneTextureKind::kSky &&
                                range.kind != SceneTextureKind::kLiquid;
            glUniform1i(shadedLocation, shaded ? 1 : 0);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.indexCount), GL_UNSIGNED_INT,
                           reinterpret_cast<void*>(range.firstIndex * sizeof(uint32_t)));
        }
    }
    glBindVertexArray(0);
    glBindSampler(0, 0);
    m_textured->release();
}

void CSceneRenderer::DrawSolids(const SolidBuffers& buffers, const Matrix4& viewProjection,
                                bool shaded) {
    if (buffers.count == 0)
        return;
    m_solid->bind();
    glUniformMatrix4fv(m_solid->uniformLocation("viewProjection"), 1, GL_FALSE,
                       viewProjection.Data());
    glUniform1i(m_solid->uniformLocation("shaded"), shaded ? 1 : 0);
    glBindVertexArray(buffers.vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, buffers.count);
    glBindVertexArray(0);
    m_solid->release();
}
