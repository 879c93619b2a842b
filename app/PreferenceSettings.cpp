#include "app/PreferenceSettings.h"

#include "app/CAutosaver.h"
#include "app/CameraCommands.h"
#include "app/ClipCommands.h"
#include "app/CompileCommands.h"
#include "app/CsgCommands.h"
#include "app/GridCommands.h"
#include "app/KeepLayoutSetting.h"
#include "app/PickDistanceSetting.h"
#include "app/SearchFolderSetting.h"
#include "app/TextureLockCommand.h"
#include "app/ViewLayoutSetting.h"
#include "scene/CSceneCamera.h"

static_assert(kSlowestCameraSpeed == CSceneCamera::kMinSpeed &&
              kFastestCameraSpeed == CSceneCamera::kMaxSpeed);

namespace {

// Stores one member when the user changed it.
template <class Value, class Store>
void StoreChanged(const Value& before, const Value& after, Store store) {
    if (before != after)
        store(after);
}

PickedColour ToPicked(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

Rgb ToRgb(PickedColour colour) {
    return {colour.red, colour.green, colour.blue};
}

} // namespace

PreferenceValues LoadPreferences() {
    PreferenceValues values;
    values.viewLayout = static_cast<int>(LoadViewLayout());
    values.showGrid = LoadGridSetting();
    values.gridColour = ToPicked(LoadGridColour());
    values.pickDistance = LoadPickDistance();
    values.cameraSpeed = LoadCameraSpeed();
    const SceneDrawOptions draw = LoadSceneDrawOptions();
    values.fullbright = draw.fullbright;
    values.showToolTextures = draw.showToolTextures;
    values.textureLock = LoadTextureLockSetting();
    values.clipTakesLargestFaceTexture = LoadClipTakesLargestFaceTexture();
    values.wallThickness = LoadWallThickness();
    values.autosaveMinutes = CAutosaver::LoadIntervalMinutes();
    values.keepLayout = LoadKeepLayoutSetting();
    values.textureFolders = LoadTextureFolders();
    values.definitionFolders = LoadDefinitionFolders();
    values.gameFolder = LoadGameFolder();
    return values;
}

void StorePreferences(const PreferenceValues& before, const PreferenceValues& after) {
    StoreChanged(before.viewLayout, after.viewLayout,
                 [](int layout) { SaveViewLayout(static_cast<ViewLayout>(layout)); });
    StoreChanged(before.showGrid, after.showGrid, StoreGridSetting);
    StoreChanged(before.gridColour, after.gridColour,
                 [](PickedColour colour) { StoreGridColour(ToRgb(colour)); });
    StoreChanged(before.pickDistance, after.pickDistance, StorePickDistance);
    StoreChanged(before.cameraSpeed, after.cameraSpeed, StoreCameraSpeed);
    if (before.fullbright != after.fullbright || before.showToolTextures != after.showToolTextures)
        StoreSceneDrawOptions(
            {.fullbright = after.fullbright, .showToolTextures = after.showToolTextures});
    StoreChanged(before.textureLock, after.textureLock, StoreTextureLockSetting);
    StoreChanged(before.clipTakesLargestFaceTexture, after.clipTakesLargestFaceTexture,
                 StoreClipTakesLargestFaceTexture);
    StoreChanged(before.wallThickness, after.wallThickness, StoreWallThickness);
    StoreChanged(before.autosaveMinutes, after.autosaveMinutes, CAutosaver::StoreIntervalMinutes);
    StoreChanged(before.keepLayout, after.keepLayout, StoreKeepLayoutSetting);
    StoreChanged(before.textureFolders, after.textureFolders, StoreTextureFolders);
    StoreChanged(before.definitionFolders, after.definitionFolders, StoreDefinitionFolders);
    StoreChanged(before.gameFolder, after.gameFolder, StoreGameFolder);
}
