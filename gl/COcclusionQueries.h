#pragma once

#include "map/IntBox.h"
#include "scene/Matrix4.h"

#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLShaderProgram>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Which groups of brushes nearer faces hide from the camera. A group drawn
// counts its pixels for the next frame; a group hidden then has its box
// tested against the faces drawn before it, and is drawn only when some of
// the box shows. So the picture never lacks a face: what lies inside a box
// that nearer faces cover cannot show either. In a closed room of a large
// map this leaves most of the map undrawn.
class COcclusionQueries : protected QOpenGLFunctions_3_3_Core {
public:
    bool Initialize(std::string& error);
    void Release();

    // Groups added since are taken as seen.
    void Resize(size_t groups);
    // Whether the group showed when last drawn or tested.
    bool WasSeen(size_t group);
    // After a group's faces changed, nothing is known of it.
    void MarkSeen(size_t group) { m_slots[group].seen = true; }

    // Around the drawing of a group, to know next frame whether it showed.
    void BeginCounting(size_t group);
    void EndCounting();

    // Tests boxes against the depth drawn so far, drawing no colour or depth.
    void BeginBoxTests(const Matrix4& viewProjection);
    void TestBox(size_t group, const IntBox& box);
    // A box around several groups, whose answer only this frame asks for;
    // returns the number to ask it by.
    size_t TestBoxAround(const IntBox& box);
    void EndBoxTests();
    // Wait for the test of a box: whether any of it showed.
    bool BoxShowed(size_t group);
    bool BoxAroundShowed(size_t number);
    // A group inside a box around that did not show.
    void MarkHidden(size_t group) { m_slots[group].seen = false; }

private:
    struct Slot {
        GLuint query = 0;
        bool seen = true;
        bool pending = false; // a count was begun and not read yet
    };

    GLuint QueryOf(size_t group);
    // Waits for the count.
    bool AnySamples(GLuint query);
    void MakeCube();
    void DrawBox(GLuint query, const IntBox& box);

    std::unique_ptr<QOpenGLShaderProgram> m_program;
    GLuint m_cubeArray = 0;
    GLuint m_cubeCorners = 0;
    GLuint m_cubeIndices = 0;
    int m_boxMinLocation = -1;
    int m_boxSizeLocation = -1;
    std::vector<Slot> m_slots;
    std::vector<GLuint> m_aroundQueries; // reused from frame to frame
    size_t m_aroundUsed = 0;
    bool m_initialized = false;
};
