#include "gl/CSceneRenderer.h"

#include "gl/SceneShaders.h"
#include "scene/SceneCulling.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <utility>

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
        !Link(*m_solid, SceneShaders::kSolidVertex, SceneShaders::kSolidFragment, error) ||
        !m_occlusion.Initialize(error))
        return false;
    m_textureSizeLocation = m_textured->uniformLocation("textureSize");
    m_shadedLocation = m_textured->uniformLocation("shaded");
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
    m_textureSizeLocation = m_textured->uniformLocation("textureSize");
    m_shadedLocation = m_textured->uniformLocation("shaded");
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
    for (EntityChunkBuffers& chunk : m_entityChunks)
        DeleteBuffers(chunk.solids.vertexArray, chunk.solids.vertices, none);
    m_entityChunks.clear();
    DeleteBuffers(m_setTint.vertexArray, m_setTint.vertices, none);
    DeleteBuffers(m_hoverTint.vertexArray, m_hoverTint.vertices, none);
    glDeleteSamplers(1, &m_exactSampler);
    glDeleteSamplers(1, &m_shadedSampler);
    m_textures.Release();
    m_occlusion.Release();
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
    m_occlusion.Resize(m_groups.size());
    for (size_t g = 0; g < built.size(); ++g) {
        if (!built[g].stale && built[g].generation != m_groups[g].generation) {
            Upload(m_groups[g], built[g]);
            m_occlusion.MarkSeen(g);
        }
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
    DrawUnhidden(viewProjection, options);
    if (m_setTint.count > 0 || m_hoverTint.count > 0) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        // The tint lies on the very faces it colours.
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(-1.0f, -1.0f);
        BindSolid(viewProjection, false);
        DrawSolids(m_setTint);
        DrawSolids(m_hoverTint);
        m_solid->release();
        glDisable(GL_POLYGON_OFFSET_FILL);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
}

void CSceneRenderer::SetEntityBoxes(const std::vector<SolidChunk>& chunks) {
    GLuint none = 0;
    for (size_t c = chunks.size(); c < m_entityChunks.size(); ++c)
        DeleteBuffers(m_entityChunks[c].solids.vertexArray, m_entityChunks[c].solids.vertices,
                      none);
    m_entityChunks.resize(chunks.size());
    for (size_t c = 0; c < chunks.size(); ++c) {
        UploadSolids(m_entityChunks[c].solids, chunks[c].vertices);
        m_entityChunks[c].box = chunks[c].box;
    }
}

void CSceneRenderer::DrawUnhidden(const Matrix4& viewProjection, const SceneDrawOptions& options) {
    m_occlusion.Resize(m_groups.size() + m_entityChunks.size());
    m_drawnGroups = m_drawnEntityChunks = 0;
    // What showed last frame first, nearest first, so that the depth it
    // leaves hides as much of the rest as it can; each counts its pixels for
    // the next frame.
    std::vector<DrawnPart> seen, untested;
    for (const DrawnPart& part : PartsNearestFirst(viewProjection))
        (part.nearEye || m_occlusion.WasSeen(SlotOf(part)) ? seen : untested).push_back(part);
    DrawParts(seen, viewProjection, options, true);
    if (!untested.empty())
        DrawParts(ThoseShowing(untested, viewProjection), viewProjection, options, false);
}

std::vector<CSceneRenderer::DrawnPart>
CSceneRenderer::ThoseShowing(const std::vector<DrawnPart>& untested,
                             const Matrix4& viewProjection) {
    // A test costs the pixels its box covers, and behind a wall the boxes of
    // neighbouring groups overlap: so neighbours are tested first by the
    // box around them, which passes over all of them at once when hidden.
    constexpr size_t kNeighbours = 8;
    struct Run {
        std::vector<DrawnPart> parts;
        std::optional<IntBox> box;
        size_t test = 0;
    };
    std::vector<Run> runs;
    std::map<std::pair<bool, size_t>, size_t> runOf;
    for (const DrawnPart& part : untested) {
        const auto [found, added] =
            runOf.try_emplace({part.entities, part.index / kNeighbours}, runs.size());
        if (added)
            runs.emplace_back();
        Run& run = runs[found->second];
        run.parts.push_back(part);
        Grow(run.box, std::optional<IntBox>(BoxOf(part)));
    }
    std::vector<DrawnPart> alone, inside, showing;
    for (Run& run : runs) {
        if (run.parts.size() == 1)
            alone.push_back(run.parts.front());
    }
    m_occlusion.BeginBoxTests(viewProjection);
    for (const DrawnPart& part : alone)
        m_occlusion.TestBox(SlotOf(part), BoxOf(part));
    for (Run& run : runs) {
        if (run.parts.size() > 1)
            run.test = m_occlusion.TestBoxAround(*run.box);
    }
    m_occlusion.EndBoxTests();
    for (const DrawnPart& part : alone) {
        if (m_occlusion.BoxShowed(SlotOf(part)))
            showing.push_back(part);
    }
    for (const Run& run : runs) {
        if (run.parts.size() == 1)
            continue;
        const bool shows = m_occlusion.BoxAroundShowed(run.test);
        for (const DrawnPart& part : run.parts) {
            if (shows)
                inside.push_back(part);
            else
                m_occlusion.MarkHidden(SlotOf(part));
        }
    }
    if (!inside.empty()) {
        m_occlusion.BeginBoxTests(viewProjection);
        for (const DrawnPart& part : inside)
            m_occlusion.TestBox(SlotOf(part), BoxOf(part));
        m_occlusion.EndBoxTests();
        for (const DrawnPart& part : inside) {
            if (m_occlusion.BoxShowed(SlotOf(part)))
                showing.push_back(part);
        }
    }
    return showing;
}

std::vector<CSceneRenderer::DrawnPart>
CSceneRenderer::PartsNearestFirst(const Matrix4& viewProjection) const {
    // Within this distance a box may be cut by the near plane, so its test
    // could miss faces that show.
    constexpr double kNearDistance = 64.0;
    const SceneFrustum frustum(viewProjection);
    const Vec3d eye = frustum.GetEye();
    std::vector<std::pair<double, DrawnPart>> shown;
    for (size_t g = 0; g < m_groups.size(); ++g) {
        const GroupBuffers& buffers = m_groups[g];
        if (!buffers.vertexArray || buffers.ranges.empty() || !buffers.box ||
            !frustum.MayShow(*buffers.box))
            continue;
        shown.push_back({DistanceSquaredToBox(eye, *buffers.box), {false, g}});
    }
    for (size_t c = 0; c < m_entityChunks.size(); ++c) {
        if (m_entityChunks[c].solids.count > 0 && frustum.MayShow(m_entityChunks[c].box))
            shown.push_back({DistanceSquaredToBox(eye, m_entityChunks[c].box), {true, c}});
    }
    std::sort(shown.begin(), shown.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<DrawnPart> parts;
    parts.reserve(shown.size());
    for (auto& [distanceSquared, part] : shown) {
        part.nearEye = distanceSquared < kNearDistance * kNearDistance;
        parts.push_back(part);
    }
    return parts;
}

size_t CSceneRenderer::SlotOf(const DrawnPart& part) const {
    return part.entities ? m_groups.size() + part.index : part.index;
}

const IntBox& CSceneRenderer::BoxOf(const DrawnPart& part) const {
    return part.entities ? m_entityChunks[part.index].box : *m_groups[part.index].box;
}

void CSceneRenderer::DrawParts(const std::vector<DrawnPart>& parts, const Matrix4& viewProjection,
                               const SceneDrawOptions& options, bool counting) {
    // Faces first, then entities: a program each, bound once.
    for (const bool entities : {false, true}) {
        if (entities)
            BindSolid(viewProjection, !options.fullbright);
        else
            BindTextured(viewProjection, options);
        for (const DrawnPart& part : parts) {
            if (part.entities != entities)
                continue;
            if (counting)
                m_occlusion.BeginCounting(SlotOf(part));
            if (entities) {
                DrawSolids(m_entityChunks[part.index].solids);
                ++m_drawnEntityChunks;
            } else {
                DrawGroup(m_groups[part.index], options);
                ++m_drawnGroups;
            }
            if (counting)
                m_occlusion.EndCounting();
        }
        if (!entities)
            glBindSampler(0, 0);
        (entities ? m_solid : m_textured)->release();
    }
}

void CSceneRenderer::BindTextured(const Matrix4& viewProjection, const SceneDrawOptions& options) {
    m_textured->bind();
    m_textured->setUniformValue("picture", 0);
    glUniformMatrix4fv(m_textured->uniformLocation("viewProjection"), 1, GL_FALSE,
                       viewProjection.Data());
    glActiveTexture(GL_TEXTURE0);
    glBindSampler(0, options.fullbright ? m_exactSampler : m_shadedSampler);
}

void CSceneRenderer::DrawGroup(const GroupBuffers& buffers, const SceneDrawOptions& options) {
    glBindVertexArray(buffers.vertexArray);
    for (const SceneDrawRange& range : buffers.ranges) {
        if (range.kind == SceneTextureKind::kTool && !options.showToolTextures)
            continue;
        const CGlTextureCache::Texture& texture = m_textures.Find(range.texture);
        glBindTexture(GL_TEXTURE_2D, texture.id);
        glUniform2f(m_textureSizeLocation, static_cast<float>(texture.width),
                    static_cast<float>(texture.height));
        const bool shaded = !options.fullbright && range.kind != SceneTextureKind::kSky &&
                            range.kind != SceneTextureKind::kLiquid;
        glUniform1i(m_shadedLocation, shaded ? 1 : 0);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.indexCount), GL_UNSIGNED_INT,
                       reinterpret_cast<void*>(range.firstIndex * sizeof(uint32_t)));
    }
    glBindVertexArray(0);
}

void CSceneRenderer::BindSolid(const Matrix4& viewProjection, bool shaded) {
    m_solid->bind();
    glUniformMatrix4fv(m_solid->uniformLocation("viewProjection"), 1, GL_FALSE,
                       viewProjection.Data());
    glUniform1i(m_solid->uniformLocation("shaded"), shaded ? 1 : 0);
}

void CSceneRenderer::DrawSolids(const SolidBuffers& buffers) {
    if (buffers.count == 0)
        return;
    glBindVertexArray(buffers.vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, buffers.count);
    glBindVertexArray(0);
}
