#pragma once

#include <string>

class CTolveDoc;
struct SceneDrawOptions;

// Draws the map as the camera view does from the camera "X Y Z YAW PITCH"
// and writes the picture as PNG. Returns the exit status: 0 when written,
// 1 when no OpenGL context could be made or the file not written (with a
// message on standard error), 2 for a camera text that says no camera.
int RenderCameraPicture(CTolveDoc& doc, const std::string& cameraText, int width, int height,
                        const SceneDrawOptions& options, const char* output);
