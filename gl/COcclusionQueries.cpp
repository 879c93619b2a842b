#include "gl/COcclusionQueries.h"

#include "gl/SceneShaders.h"

#include <QByteArray>

#include <array>

namespace {

// Nearer faces lying in a box's own planes must not hide it.
constexpr float kBoxMargin = 1.0f;

QByteArray Source(const char* body) {
    return QByteArray("#version 330 core\n") + body;
}

} // namespace

bool COcclusionQueries::Initialize(std::string& error) {
    if (!initializeOpenGLFunctions()) {
        error = "OpenGL 3.3 core is not available in this context.";
        return false;
    }
    m_program = std::make_unique<QOpenGLShaderProgram>();
    if (!m_program->addShaderFromSourceCode(QOpenGLShader::Vertex,
                                            Source(SceneShaders::kBoxVertex)) ||
        !m_program->addShaderFromSourceCode(QOpenGLShader::Fragment,
                                            Source(SceneShaders::kBoxFragment)) ||
        !m_program->link()) {
        error =
            "The camera view's drawing program did not build: " + m_program->log().toStdString();
        return false;
    }
    m_boxMinLocation = m_program->uniformLocation("boxMin");
    m_boxSizeLocation = m_program->uniformLocation("boxSize");
    MakeCube();
    m_initialized = true;
    return true;
}

void COcclusionQueries::MakeCube() {
    static constexpr std::array<float, 24> kCorners = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0,
                                                       0, 0, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1};
    static constexpr std::array<uint8_t, 36> kTriangles = {0, 1, 3, 0, 3, 2, 4, 6, 7, 4, 7, 5,
                                                           0, 4, 5, 0, 5, 1, 2, 3, 7, 2, 7, 6,
                                                           0, 2, 6, 0, 6, 4, 1, 5, 7, 1, 7, 3};
    glGenVertexArrays(1, &m_cubeArray);
    glGenBuffers(1, &m_cubeCorners);
    glGenBuffers(1, &m_cubeIndices);
    glBindVertexArray(m_cubeArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_cubeCorners);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCorners), kCorners.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_cubeIndices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kTriangles), kTriangles.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);
}

void COcclusionQueries::Release() {
    if (!m_initialized)
        return;
    for (Slot& slot : m_slots) {
        if (slot.query)
            glDeleteQueries(1, &slot.query);
    }
    m_slots.clear();
    if (!m_aroundQueries.empty())
        glDeleteQueries(static_cast<GLsizei>(m_aroundQueries.size()), m_aroundQueries.data());
    m_aroundQueries.clear();
    glDeleteVertexArrays(1, &m_cubeArray);
    glDeleteBuffers(1, &m_cubeCorners);
    glDeleteBuffers(1, &m_cubeIndices);
    m_cubeArray = m_cubeCorners = m_cubeIndices = 0;
    m_program.reset();
    m_initialized = false;
}

void COcclusionQueries::Resize(size_t groups) {
    if (m_slots.size() < groups)
        m_slots.resize(groups);
}

GLuint COcclusionQueries::QueryOf(size_t group) {
    Slot& slot = m_slots[group];
    if (!slot.query)
        glGenQueries(1, &slot.query);
    return slot.query;
}

bool COcclusionQueries::WasSeen(size_t group) {
    Slot& slot = m_slots[group];
    if (slot.pending) {
        // The last frame is finished by now, as a rule: waiting for its
        // counts costs little and makes every frame depend only on the ones
        // before it, never on how fast they were drawn.
        slot.seen = AnySamples(slot.query);
        slot.pending = false;
    }
    return slot.seen;
}

bool COcclusionQueries::AnySamples(GLuint query) {
    GLuint samples = 1;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    return samples != 0;
}

void COcclusionQueries::BeginCounting(size_t group) {
    glBeginQuery(GL_ANY_SAMPLES_PASSED, QueryOf(group));
    m_slots[group].pending = true;
}

void COcclusionQueries::EndCounting() {
    glEndQuery(GL_ANY_SAMPLES_PASSED);
}

void COcclusionQueries::BeginBoxTests(const Matrix4& viewProjection) {
    m_program->bind();
    glUniformMatrix4fv(m_program->uniformLocation("viewProjection"), 1, GL_FALSE,
                       viewProjection.Data());
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    // The eye is outside every box tested, so what of a box shows shows on
    // its front faces: the back ones would only double the pixels.
    glBindVertexArray(m_cubeArray);
    m_aroundUsed = 0;
}

void COcclusionQueries::TestBox(size_t group, const IntBox& box) {
    DrawBox(QueryOf(group), box);
    m_slots[group].pending = true;
}

size_t COcclusionQueries::TestBoxAround(const IntBox& box) {
    if (m_aroundUsed == m_aroundQueries.size())
        glGenQueries(1, &m_aroundQueries.emplace_back());
    DrawBox(m_aroundQueries[m_aroundUsed], box);
    return m_aroundUsed++;
}

void COcclusionQueries::DrawBox(GLuint query, const IntBox& box) {
    const float minimum[3] = {static_cast<float>(box.min.x) - kBoxMargin,
                              static_cast<float>(box.min.y) - kBoxMargin,
                              static_cast<float>(box.min.z) - kBoxMargin};
    glUniform3f(m_boxMinLocation, minimum[0], minimum[1], minimum[2]);
    glUniform3f(m_boxSizeLocation, static_cast<float>(box.max.x) + kBoxMargin - minimum[0],
                static_cast<float>(box.max.y) + kBoxMargin - minimum[1],
                static_cast<float>(box.max.z) + kBoxMargin - minimum[2]);
    glBeginQuery(GL_ANY_SAMPLES_PASSED, query);
    glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_BYTE, nullptr);
    glEndQuery(GL_ANY_SAMPLES_PASSED);
}

void COcclusionQueries::EndBoxTests() {
    glBindVertexArray(0);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    m_program->release();
}

bool COcclusionQueries::BoxShowed(size_t group) {
    return WasSeen(group); // the test left its count pending
}

bool COcclusionQueries::BoxAroundShowed(size_t number) {
    return AnySamples(m_aroundQueries[number]);
}
