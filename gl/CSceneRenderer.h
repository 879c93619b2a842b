#pragma once

#include "gl/CGlTextureCache.h"
#include "gl/COcclusionQueries.h"
#include "scene/CSceneGroups.h"
#include "scene/Matrix4.h"
#include "scene/SceneSolids.h"

#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLShaderProgram>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class CTextureWad;
class TexturePalette;

struct SceneDrawOptions {
    bool fullbright = false;      // every texel in its palette colour exactly
    bool showToolTextures = true; // clip, trigger, skip, hint, origin
};

// Draws what the plain scene prepared: it uploads the meshes of the groups
// that were built again since the last frame, the textures as they arrive,
// and draws the groups the camera sees. It decides nothing about the map.
// Every call needs the context it was initialised in to be current.
class CSceneRenderer : protected QOpenGLFunctions_3_3_Core {
public:
    CSceneRenderer() = default;
    CSceneRenderer(const CSceneRenderer&) = delete;
    CSceneRenderer& operator=(const CSceneRenderer&) = delete;

    // False, with the reason, when the context cannot run the programs.
    bool Initialize(std::string& error);
    void Release();

    // Uploads the groups built again since the last call; counts them.
    void SyncGroups(const CSceneGroups& groups);
    // Loads textures the last frames asked for; true when some still wait.
    bool LoadTextures(CTextureWad& wad, const TexturePalette& palette,
                      std::chrono::steady_clock::duration budget);
    // Entity boxes (opaque), and the tint over hovered and selected objects:
    // each uploaded only when it changed, as the boxes of a large map are
    // many and the tint changes with every hover.
    void SetEntityBoxes(const std::vector<SolidChunk>& chunks);
    void SetSetTint(const std::vector<SolidVertex>& tint) { UploadSolids(m_setTint, tint); }
    void SetHoverTint(const std::vector<SolidVertex>& tint) { UploadSolids(m_hoverTint, tint); }

    void SetViewport(int width, int height) { glViewport(0, 0, width, height); }
    void Draw(const Matrix4& viewProjection, const SceneDrawOptions& options);

    uint64_t GetGroupUploads() const { return m_groupUploads; }
    // Groups of faces, and chunks of entity boxes, the last frame drew: those
    // in the picture and not hidden behind nearer faces.
    size_t GetDrawnGroupCount() const { return m_drawnGroups; }
    size_t GetDrawnEntityChunkCount() const { return m_drawnEntityChunks; }
    size_t GetLoadedTextureCount() const { return m_textures.GetLoadedCount(); }

private:
    struct GroupBuffers {
        GLuint vertexArray = 0;
        GLuint vertices = 0;
        GLuint indices = 0;
        uint64_t generation = 0;
        std::vector<SceneDrawRange> ranges;
        std::optional<IntBox> box;
    };
    struct SolidBuffers {
        GLuint vertexArray = 0;
        GLuint vertices = 0;
        GLsizei count = 0;
    };
    struct EntityChunkBuffers {
        SolidBuffers solids;
        IntBox box;
    };
    // A group of faces or a chunk of entity boxes, in the order of drawing.
    struct DrawnPart {
        bool entities = false;
        size_t index = 0;
        bool nearEye = false; // drawn without a test: the test may be wrong so near
    };

    bool Link(QOpenGLShaderProgram& program, const char* vertex, const char* fragment,
              std::string& error);
    void Upload(GroupBuffers& buffers, const CSceneGroups::Group& group);
    void UploadSolids(SolidBuffers& buffers, const std::vector<SolidVertex>& vertices);
    void DrawUnhidden(const Matrix4& viewProjection, const SceneDrawOptions& options);
    std::vector<DrawnPart> PartsNearestFirst(const Matrix4& viewProjection) const;
    std::vector<DrawnPart> ThoseShowing(const std::vector<DrawnPart>& untested,
                                        const Matrix4& viewProjection);
    size_t SlotOf(const DrawnPart& part) const;
    const IntBox& BoxOf(const DrawnPart& part) const;
    void DrawParts(const std::vector<DrawnPart>& parts, const Matrix4& viewProjection,
                   const SceneDrawOptions& options, bool counting);
    void BindTextured(const Matrix4& viewProjection, const SceneDrawOptions& options);
    void BindSolid(const Matrix4& viewProjection, bool shaded);
    void DrawGroup(const GroupBuffers& buffers, const SceneDrawOptions& options);
    void DrawSolids(const SolidBuffers& buffers);
    void DeleteBuffers(GLuint& vertexArray, GLuint& vertices, GLuint& indices);

    std::unique_ptr<QOpenGLShaderProgram> m_textured;
    std::unique_ptr<QOpenGLShaderProgram> m_solid;
    GLuint m_exactSampler = 0;  // nearest texel at every distance: fullbright
    GLuint m_shadedSampler = 0; // mipmapped when the texels grow small
    int m_textureSizeLocation = -1;
    int m_shadedLocation = -1;
    CGlTextureCache m_textures;
    COcclusionQueries m_occlusion;
    std::vector<GroupBuffers> m_groups;
    std::vector<EntityChunkBuffers> m_entityChunks;
    SolidBuffers m_setTint;
    SolidBuffers m_hoverTint;
    uint64_t m_groupUploads = 0;
    size_t m_drawnGroups = 0;
    size_t m_drawnEntityChunks = 0;
    bool m_initialized = false;
};
