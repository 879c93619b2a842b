#pragma once

#include "map/ConvexPiece.h"

#include <optional>
#include <vector>

// The convex hull of the brushes' corners as a piece. Every face of the hull
// goes through three corners, so its plane points are whole numbers. A face
// on the plane of some brush's face, facing the same way, takes that face's
// texture; any other the texture of the first brush's face that faces most
// nearly its way. None when the corners enclose no volume.
std::optional<ConvexPiece> HullOfBrushes(const std::vector<const CMapBrush*>& brushes);
