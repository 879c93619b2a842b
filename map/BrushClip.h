#pragma once

#include "map/BrushGeometry.h"

#include "map/CMapBrush.h"
#include "map/IntPoint.h"

#include <cstdint>
#include <optional>

// A cutting plane through three whole-number points. Its front is the side
// its normal (p1 - p0) x (p2 - p0) points to: seen from in front, the points
// go round anticlockwise (the right-hand rule).
struct ClipPlane {
    IntPoint points[3];
};

// Which part of each brush a cut keeps.
enum class ClipSide : uint8_t { kFront, kBack, kBoth };

// Where the new faces of a cut take their texture from: the current texture,
// or that of the largest face of the brush cut.
enum class ClipTexture : uint8_t { kCurrent, kLargestFace };

// Front, back, both, then front again: the order Tab goes through them.
ClipSide NextClipSide(ClipSide side);

// False when the three points are equal or on one line.
bool SpansPlane(const ClipPlane& plane);

// What stands in the way of a cut of one brush; the cut changes nothing then.
enum class ClipProblem : uint8_t {
    kNone,
    kNoVolume,       // a kept part would have no volume
    kTooManyFaces,   // more faces than a brush can hold
    kTooManyCorners, // more corners than a brush can hold
    kOpen,           // a kept part would not be closed
    kNotHeld,        // the brush is kept as text only
};

// The parts of one brush a cut keeps. A part is empty when the plane does not
// cross the brush and the whole of it lies on the kept side: the brush stays
// as it is. When both sides are kept, `front` and `back` both hold a part or
// both are empty.
struct ClipResult {
    ClipProblem problem = ClipProblem::kNone;
    std::optional<CMapBrush> front;
    std::optional<CMapBrush> back;

    bool LeavesBrushAsItIs() const { return problem == ClipProblem::kNone && !front && !back; }
};

// Cuts `brush` along `plane`. The new face takes `texture`; on a brush with
// Valve axes, the axes of the axis plane nearest to it. The other faces keep
// their planes, textures and axes. A brush the plane does not cross is left as
// it is when it lies on a kept side, and has no volume left otherwise.
ClipResult ClipBrush(const CMapBrush& brush, const ClipPlane& plane, ClipSide side,
                     const char* texture);

// The texture of the face with the largest area (the first of equals).
const char* LargestFaceTexture(const CMapBrush& brush);

// The faces enclose the brush: no face is missing from round it.
bool IsClosedBrush(const CMapBrush& brush);

// Why a cut is refused, as a sentence: "... would have no volume".
const char* DescribeClipProblem(ClipProblem problem);
