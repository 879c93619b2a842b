#include "gl/CameraViewSupport.h"

#include "gl/SceneSurfaceFormat.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

bool CanDrawCameraView() {
    static const bool can = [] {
        QOpenGLContext context;
        context.setFormat(MakeSceneSurfaceFormat());
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        const bool current = context.makeCurrent(&surface);
        const QSurfaceFormat format = context.format();
        if (current)
            context.doneCurrent();
        return current && format.version() >= qMakePair(3, 3);
    }();
    return can;
}
