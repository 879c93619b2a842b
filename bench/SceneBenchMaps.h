#pragma once

#include "map/CTolveDoc.h"
#include "scene/CSceneCamera.h"

// The maps the camera view's benchmarks use, each read at its first call and
// kept, as reading the largest takes seconds: whoever changes one puts it
// back.
CTolveDoc& GetGeneratedMap(int brushes);
// The real map the environment's TOLVE_BENCH_MAP names, with its textures
// found beside it or in TOLVE_BENCH_WADS; null when none is named or it does
// not read.
CTolveDoc* GetRealMap();

// At the first player start, 22 units above its origin (the eye of a player
// standing there), looking a little down.
CSceneCamera CameraAtPlayerStart(const CTolveDoc& doc);
