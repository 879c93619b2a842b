#include "gl/CSceneRenderer.h"
#include "map/CTolveDoc.h"
#include "tools/CameraRender.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"
#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct RenderOptions {
    const char* input = nullptr;
    const char* output = nullptr;
    int32_t plane = kPlaneXY;
    int32_t zoom = 0; // 0: the smallest power of two that shows the whole map
    int32_t magnify = 1;
    bool threeD = false;
    bool flipped = false;
    bool grid = true;
    int width = 1600;
    int height = 1000;
    const char* pointFile = nullptr;
    const char* camera = nullptr; // "X Y Z YAW PITCH": the camera view's picture
    bool fullbright = false;
};

void PrintRenderUsage(FILE* out) {
    std::fprintf(out, "usage: tolve-map render IN.map --plane xy|xz|yz [--zoom N|1/N] [--3d]\n"
                      "                        [--flipped] [--no-grid] [--size WIDTHxHEIGHT]\n"
                      "                        [--pointfile FILE.pts] --out FILE.png\n"
                      "       tolve-map render IN.map --camera \"X Y Z YAW PITCH\" [--fullbright]\n"
                      "                        [--size WIDTHxHEIGHT] --out FILE.png\n\n"
                      "Draws the map as the editor's view does, grid included, and saves the\n"
                      "picture. --zoom N shows N world units per pixel, --zoom 1/N magnifies to N\n"
                      "pixels per unit (N a power of two, up to 16). Without --zoom the view is\n"
                      "framed on the whole map; the map is centred. --pointfile draws a\n"
                      "compiler's leak trace over the map in red.\n\n"
                      "--camera draws what the camera view shows from that point: yaw in\n"
                      "degrees about Z from +X, pitch in degrees, positive looking up. With\n"
                      "--fullbright every texel has its palette colour (quake.pal in the\n"
                      "current folder) exactly. It needs OpenGL 3.3: a display, or Xvfb with\n"
                      "Mesa's software renderer.\n");
}

bool ParsePlane(const char* text, int32_t& plane) {
    const char* names[] = {"xy", "xz", "yz"};
    for (int32_t i = 0; i < 3; ++i) {
        if (std::strcmp(text, names[i]) == 0) {
            plane = i;
            return true;
        }
    }
    return false;
}

bool IsPowerOfTwo(int32_t n) {
    return n >= 1 && (n & (n - 1)) == 0;
}

// "8" for eight units per pixel, "1/4" for four pixels per unit.
bool ParseZoom(std::string_view text, RenderOptions& options) {
    const bool magnified = text.starts_with("1/");
    if (magnified)
        text.remove_prefix(2);
    int32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || !IsPowerOfTwo(n))
        return false;
    if (magnified && n > CViewProjection::kMostMagnified)
        return false;
    options.zoom = magnified ? 1 : n;
    options.magnify = magnified ? n : 1;
    return true;
}

bool ParseOptions(int argc, char** argv, RenderOptions& options) {
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--plane" && hasValue) {
            if (!ParsePlane(argv[++i], options.plane))
                return false;
        } else if (arg == "--zoom" && hasValue) {
            if (!ParseZoom(argv[++i], options))
                return false;
        } else if (arg == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 ||
                options.width < 16 || options.height < 16 || options.width > 16384 ||
                options.height > 16384)
                return false;
        } else if (arg == "--pointfile" && hasValue) {
            options.pointFile = argv[++i];
        } else if (arg == "--camera" && hasValue) {
            options.camera = argv[++i];
        } else if (arg == "--fullbright") {
            options.fullbright = true;
        } else if (arg == "--out" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "--3d") {
            options.threeD = true;
        } else if (arg == "--flipped") {
            options.flipped = true;
        } else if (arg == "--no-grid") {
            options.grid = false;
        } else if (!arg.empty() && arg[0] != '-' && !options.input) {
            options.input = argv[i];
        } else {
            return false;
        }
    }
    return options.input && options.output;
}

// Without a zoom the whole map is framed, as the editor's Frame Map does; with
// one the map's centre is put in the middle.
void PlaceMap(const CTolveDoc& doc, const RenderOptions& options, CViewProjection& p) {
    if (options.zoom == 0) {
        FrameMap(doc, p, options.width, options.height);
        return;
    }
    p.m_zoom = options.zoom;
    p.m_magnify = options.magnify;
    CentreView(p, BoundsCentre(FindMapBounds(doc).value_or(MapBounds{})), options.width,
               options.height);
}

} // namespace

int RunRenderCommand(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        PrintRenderUsage(stdout);
        return 0;
    }
    RenderOptions options;
    if (!ParseOptions(argc, argv, options)) {
        PrintRenderUsage(stderr);
        return 2;
    }
    // The flat drawing needs fonts and a paint engine, never a screen; the
    // camera's needs OpenGL, which the display gives where there is one.
    const bool display = options.camera && !qEnvironmentVariableIsEmpty("DISPLAY");
    qputenv("QT_QPA_PLATFORM", display ? "xcb" : "offscreen");
    int appArgc = 1;
    char appName[] = "tolve-map";
    char* appArgv[] = {appName, nullptr};
    QApplication app(appArgc, appArgv);

    CTolveDoc doc;
    if (!OpenMapForCommand(doc, options.input))
        return 2;
    if (options.pointFile) {
        PointFile file;
        if (std::optional<std::string> problem = ReadPointFile(options.pointFile, file)) {
            std::fprintf(stderr, "%s\n", problem->c_str());
            return 2;
        }
        doc.m_pointFile = std::move(file);
    }
    if (options.camera) {
        SceneDrawOptions draw;
        draw.fullbright = options.fullbright;
        return RenderCameraPicture(doc, options.camera, options.width, options.height, draw,
                                   options.output);
    }
    CTolveView view(doc);
    view.resize(options.width, options.height);
    view.m_projection.m_viewMode = options.plane;
    view.m_projection.m_threeD = options.threeD;
    view.m_projection.m_flipped = options.flipped;
    view.ShowGrid(options.grid);
    PlaceMap(doc, options, view.m_projection);
    view.InvalidateAll();
    if (!view.RenderNow().save(QString::fromLocal8Bit(options.output), "PNG")) {
        std::fprintf(stderr, "tolve-map: couldn't write %s\n", options.output);
        return 1;
    }
    static const char* const kPlaneNames[] = {"xy", "xz", "yz"};
    const CViewProjection& p = view.m_projection;
    const std::string zoom =
        p.IsMagnified() ? "1/" + std::to_string(p.m_magnify) : std::to_string(p.m_zoom);
    std::printf("%s: %s plane, zoom %s\n", options.output, kPlaneNames[options.plane],
                zoom.c_str());
    return 0;
}
