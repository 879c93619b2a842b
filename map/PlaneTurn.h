#pragma once

#include "map/IntPoint.h"
#include "map/Vec3d.h"

#include <cstdint>

// A quarter turn or a mirror in one plane of the world, about a point. The
// plane's two axes are `h` and `v` (0, 1, 2 for x, y, z); a turn takes the h
// axis to the v axis (anticlockwise seen with h to the right and v up) or the
// other way. Whole numbers stay whole, and four turns or two mirrors give every
// point back exactly.
struct PlaneTurn {
    enum class Kind : uint8_t { kTurnHToV, kTurnVToH, kMirrorH, kMirrorV };

    Kind kind = Kind::kTurnHToV;
    int h = 0;
    int v = 1;
    IntPoint centre;

    IntPoint Apply(const IntPoint& point) const;
    // A direction turns or mirrors without the centre.
    Vec3d ApplyToDirection(const Vec3d& direction) const;
    // A mirror turns faces inside out unless their corners run the other way.
    bool Mirrors() const { return kind == Kind::kMirrorH || kind == Kind::kMirrorV; }
};

// The yaw of an "angle" key (degrees anticlockwise from +x seen from above)
// after the turn; -1 and -2 (straight up and down) stay, and so does a yaw
// that a turn in an upright plane cannot carry.
int32_t TurnYaw(int32_t yaw, const PlaneTurn& turn);
