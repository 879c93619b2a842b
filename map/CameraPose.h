#pragma once

#include "map/Vec3d.h"

// Where a map's camera view stands and looks: yaw in degrees about Z from +X,
// pitch in degrees, positive looking up. Kept with the map's editor state, so
// that another camera view of the map starts there and the flat views can
// show it; never in the map file.
struct CameraPose {
    Vec3d position;
    double yaw = 0.0;
    double pitch = 0.0;

    friend bool operator==(const CameraPose&, const CameraPose&) = default;
};
