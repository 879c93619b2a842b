#pragma once

#include "map/CMapBrush.h"

#include <vector>

// How the textures of Valve faces follow a brush whose corners move: a move
// of the whole brush can carry them along (texture lock), and a face whose
// plane turns keeps its axes on the new plane. Standard faces follow the
// axis planes as they always have, so nothing here touches them.

// The normal of each face through its first three corners.
std::vector<Vec3d> GetCornerNormals(const CMapBrush& brush);

// Every face's texture moves with the brush by `delta`.
void MoveTexturesWithBrush(CMapBrush& brush, const IntPoint& delta);

// After corners moved: the faces whose plane turned (their corner normal is
// not the one before) keep their axes projected onto the new plane.
void FollowTurnedPlanes(CMapBrush& brush, const std::vector<Vec3d>& normalsBefore);
