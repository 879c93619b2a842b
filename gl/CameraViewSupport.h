#pragma once

// Whether this display can give the camera view an OpenGL 3.3 context. Asked
// once; a map opens without its camera view where the answer is no.
bool CanDrawCameraView();
