#pragma once

#include "app/CommandEntry.h"
#include "gl/CSceneRenderer.h"

// The camera view's commands: Window > New Camera View, View > Fullbright and
// View > Show Tool Textures (settings View/Fullbright, View/ShowToolTextures,
// shared by every camera view).
void AddCameraCommands(CommandEntries& entries);
SceneDrawOptions LoadSceneDrawOptions();
