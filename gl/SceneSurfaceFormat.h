#pragma once

#include <QSurfaceFormat>

inline constexpr const char* kNoOpenGLMessage =
    "No OpenGL 3.3 context could be made for the camera view. It needs a display with "
    "OpenGL 3.3 or later; without a graphics card, Mesa's software renderer (llvmpipe) "
    "under Xvfb serves.";

// What the camera view asks of OpenGL: 3.3 core, with a depth buffer.
inline QSurfaceFormat MakeSceneSurfaceFormat() {
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    return format;
}
