#include "app/CameraCommands.h"

#include "app/AppSettings.h"
#include "app/CChildFrame.h"
#include "app/CDocManager.h"
#include "app/OpenMapSettings.h"
#include "framework/CStatusNotice.h"
#include "gl/CCameraView.h"
#include "gl/CameraViewSupport.h"
#include "gl/SceneSurfaceFormat.h"
#include "widgets/CTolveView.h"

namespace {

using enum CommandId;
using enum CommandScope;

const char* const kFullbrightKey = "View/Fullbright";
const char* const kToolTexturesKey = "View/ShowToolTextures";
const char* const kSpeedKey = "Camera/Speed";

// The command runs with a flat view of the active map, also from its camera
// view.
void OpenCameraView(const CommandContext& c) {
    if (!CanDrawCameraView()) {
        ShowStatusNotice(kNoOpenGLMessage);
        return;
    }
    c.docs->CreateCameraFrame(c.view->GetDocument());
}

template <const char* const* key, bool fallback> void ToggleSetting(const CommandContext& c) {
    const bool value = OpenAppSettings().value(QLatin1String(*key), fallback).toBool();
    OpenAppSettings().setValue(QLatin1String(*key), !value);
    ApplySettingsToOpenMaps(c);
}

template <const char* const* key, bool fallback> bool IsSettingOn(const CommandContext&) {
    return OpenAppSettings().value(QLatin1String(*key), fallback).toBool();
}

} // namespace

double LoadCameraSpeed() {
    bool ok = false;
    const double speed = OpenAppSettings()
                             .value(QLatin1String(kSpeedKey), CSceneCamera::kDefaultSpeed)
                             .toDouble(&ok);
    return ok ? speed : CSceneCamera::kDefaultSpeed;
}

void StoreCameraSpeed(double speed) {
    OpenAppSettings().setValue(QLatin1String(kSpeedKey), speed);
}

void StoreSceneDrawOptions(const SceneDrawOptions& options) {
    OpenAppSettings().setValue(QLatin1String(kFullbrightKey), options.fullbright);
    OpenAppSettings().setValue(QLatin1String(kToolTexturesKey), options.showToolTextures);
}

SceneDrawOptions LoadSceneDrawOptions() {
    SceneDrawOptions options;
    options.fullbright = IsSettingOn<&kFullbrightKey, false>({});
    options.showToolTextures = IsSettingOn<&kToolTexturesKey, true>({});
    return options;
}

void AddCameraCommands(CommandEntries& entries) {
    entries.push_back({.id = kWindowNewCamera,
                       .menuText = "New &Camera View",
                       .prompt = "Open a textured 3D view of the active document",
                       .menu = MenuPlace{MainMenu::kWindow, 1, 2, MenuBarChoice::kWithMap},
                       .scope = kDocument,
                       .run = OpenCameraView});
    entries.push_back({.id = kFullbright,
                       .menuText = "F&ullbright",
                       .prompt = "Draw textures in the camera view without shading",
                       .menu = MenuPlace{MainMenu::kView, 6, 1, MenuBarChoice::kWithMap},
                       .scope = kDocument,
                       .run = ToggleSetting<&kFullbrightKey, false>,
                       .checked = IsSettingOn<&kFullbrightKey, false>});
    entries.push_back(
        {.id = kShowToolTextures,
         .menuText = "Show T&ool Textures",
         .prompt = "Show clip, trigger, skip, hint and origin faces in the camera view",
         .menu = MenuPlace{MainMenu::kView, 6, 2, MenuBarChoice::kWithMap},
         .scope = kDocument,
         .run = ToggleSetting<&kToolTexturesKey, true>,
         .checked = IsSettingOn<&kToolTexturesKey, true>});
}
