#pragma once

#include "map/CMapBrush.h"
#include "map/CStandardFaceMemo.h"
#include "map/Matrix3.h"
#include "map/PlaneTurn.h"

#include <span>
#include <vector>

// How the textures of a brush follow it when its corners move.
//
// With texture lock on, a texture stays where it was on each face as the
// brush moves, turns, mirrors or changes shape, as exactly as the face's form
// can hold it: a Valve face by axes turned with its plane (still of unit
// length, so that its scales still say what they did) and offsets that keep
// each texel in its place; a standard face by its offsets when it moves, and
// by its rotation and scales too under quarter turns and mirrors. A standard
// face whose plane tilts cannot keep a texture turned with it, and shows what
// its axis plane gives.
//
// With texture lock off, no transform moves a texture on its face: each face
// keeps its numbers. A Valve face whose turned plane its axes no longer span
// gets the axes a standard face with its numbers has, as a standard face
// would show it.

// The faces of a brush before its corners move.
struct FacesBefore {
    std::vector<Vec3d> normals; // of each face, as the file states its plane
    std::vector<IntPoint> corners;
};
// Fills `before` anew; what it held goes, its room stays, so that an edit of
// many brushes that keeps one for all of them allocates it once.
void NoteFacesBefore(const CMapBrush& brush, FacesBefore& before);

// An edit of many brushes passes the same `memo` for each: what it worked out
// for one standard face it gives every other face of the kind. Without one,
// each face is worked out by itself, to the very same numbers.

// Texture lock for a brush moved by `delta` as a whole.
void MoveTexturesWithBrush(CMapBrush& brush, const IntPoint& delta,
                           CStandardFaceMemo* memo = nullptr);

// Which way each face of a brush looks (GetFaceDirection), before a quarter
// turn or mirror: all the turn asks of them. Fills `directions` anew.
void NoteFaceDirections(const CMapBrush& brush, std::vector<Vec3d>& directions);

// After a quarter turn or mirror of the whole brush, corners turned.
void TurnTexturesWithBrush(CMapBrush& brush, std::span<const Vec3d> directionsBefore,
                           const PlaneTurn& turn, bool lock, CStandardFaceMemo* memo = nullptr);

// After some of the brush's corners moved. A face whose corners all moved
// alike moves its texture along (with the lock); a face whose plane turned
// turns its texture with it, about a corner that stayed.
void FollowMovedCorners(CMapBrush& brush, const FacesBefore& before, bool lock);

// How textures follow a free transform of their brush: texture axes go
// through `axesMap` (see BrushTransform::AxesMap), and `pointBefore` goes to
// `pointAfter`.
struct AxesCarry {
    Matrix3 axesMap;
    Vec3d pointBefore;
    Vec3d pointAfter;
};

// Which way one face of a transformed brush looked before and looks now:
// normals of its plane, of any length.
struct CarriedFace {
    Vec3d normalBefore;
    Vec3d normalAfter;
};

// After a brush was built again from its transformed planes, each face still
// with the texture values (and axes) it had before: one entry of `faces` for
// each. With the lock, a Valve face's axes go through the transform, a scale
// folded into their scales, and its offsets keep the texel under each point;
// a standard face follows where its numbers can say it exactly (a move, a
// turn about its own axis, a mirror, a scale along its plane's axes) and keeps
// them otherwise.
void TransformTexturesWithBrush(CMapBrush& brush, std::span<const CarriedFace> faces,
                                const AxesCarry& carry, bool lock);
