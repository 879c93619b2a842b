#pragma once

#include "app/CommandEntry.h"
#include "gl/CSceneRenderer.h"

// The camera view's commands: Window > New Camera View, View > Fullbright and
// View > Show Tool Textures (settings View/Fullbright, View/ShowToolTextures,
// shared by every camera view).
void AddCameraCommands(CommandEntries& entries);
SceneDrawOptions LoadSceneDrawOptions();
void StoreSceneDrawOptions(const SceneDrawOptions& options);
// The camera's flying speed in units per second (setting Camera/Speed, held
// to the camera's range: from half a unit to 16,384).
double LoadCameraSpeed();
void StoreCameraSpeed(double speed);
