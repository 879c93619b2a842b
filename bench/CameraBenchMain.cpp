// The camera view's benchmarks draw with OpenGL, so they need a display where
// a 3.3 core context can be made (Xvfb with Mesa's software renderer serves).
// Without one they say so and fail, rather than report figures of nothing.
#include "bench/CameraBenchScene.h"
#include "gl/SceneSurfaceFormat.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// Qt stops the program outright when its platform finds no display; a
// platform other than X11 or Wayland is left to try.
bool HasDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "tolve_camera_bench: no display. %s\n", kNoOpenGLMessage);
        return 1;
    }
    QGuiApplication app(argc, argv);
    std::string error;
    if (!COffscreenScene().Create(16, 16, error)) {
        std::fprintf(stderr, "tolve_camera_bench: %s\n", error.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseDrawnScenes();
    return 0;
}
