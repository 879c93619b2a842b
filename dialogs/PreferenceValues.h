#pragma once

#include "framework/CColourChooser.h"

#include <cstdint>
#include <string>
#include <vector>

// The ranges a typed setting is held to, wherever it is typed or read.
inline constexpr int32_t kMaxPickDistance = 10000;
inline constexpr int32_t kMaxWallThickness = 4096;
inline constexpr int kLongestAutosaveInterval = 24 * 60;
inline constexpr double kSlowestCameraSpeed = 0.5; // units per second
inline constexpr double kFastestCameraSpeed = 16384.0;

// Every setting of the editor, as the Preferences dialog shows and returns
// them. The settings themselves are read and written by the application.
struct PreferenceValues {
    // How a map opens, in the order of the dialog's choices: four views,
    // three side by side, one top view.
    int viewLayout = 0;
    bool showGrid = true;
    PickedColour gridColour;
    int32_t pickDistance = 0; // pixels, 0: no limit
    double cameraSpeed = 0;   // units per second
    bool fullbright = false;
    bool showToolTextures = true;
    bool textureLock = true;
    bool clipTakesLargestFaceTexture = false;
    int32_t wallThickness = 0; // 0: the snap step
    int autosaveMinutes = 0;   // 0: off
    bool keepLayout = true;
    std::vector<std::string> textureFolders;
    std::vector<std::string> definitionFolders;
    std::string gameFolder;

    friend bool operator==(const PreferenceValues&, const PreferenceValues&) = default;
};
