#pragma once

#include "map/BrushGeometry.h"

#include "map/CMapBrush.h"
#include "map/IntBox.h"
#include "map/IntPoint.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// One face of a convex piece of space: the plane through three whole-number
// points, (P - Q) x (R - Q) pointing out, and the brush face whose texture it
// takes (none: the first face of the piece's first source).
struct PieceFace {
    IntPoint points[3];
    const CMapBrush* source = nullptr;
    int face = 0;
};

// A convex piece of space as the planes that bound it, on its way between
// brushes: the tools that cut and join brushes work on these, and only their
// results become brushes again. Planes keep whole-number points throughout,
// so a piece builds into a brush whose file reads back the same.
using ConvexPiece = std::vector<PieceFace>;

// The faces of a brush with the points its planes are saved through.
ConvexPiece PieceOfBrush(const CMapBrush& brush);

// The same plane facing the other way.
PieceFace Flipped(const PieceFace& face);

// Less than this is no volume: a sliver between planes that nearly meet.
inline constexpr double kNoVolume = 0.01;

// The volume inside every plane of the piece; 0 when they enclose nothing.
double PieceVolume(const ConvexPiece& piece);

// The box around the piece's corners, rounded outward; none when it is empty.
std::optional<IntBox> PieceBounds(const ConvexPiece& piece);

// Whether a point lies inside the piece, more than `margin` from its planes.
bool PieceContains(const ConvexPiece& piece, const Vec3d& point, double margin = 0.0);

// The part of the piece behind `plane` (`plane` becomes its face) and the part
// in front (the flipped plane); a part with no volume is left empty.
struct SplitParts {
    std::optional<ConvexPiece> back;
    std::optional<ConvexPiece> front;
};
SplitParts SplitPiece(const ConvexPiece& piece, const PieceFace& plane);

// The piece without the planes that bound nothing (one that another plane
// cuts away, or the second of one plane twice).
ConvexPiece WithoutSpareFaces(const ConvexPiece& piece);

// The brush the piece makes: each face with the texture of its source face,
// the axes of a Valve face along. Null, with the reason in `problem`, when the
// brush would have no volume, be open at whole-number corners, or have more
// faces or corners than a brush may have.
std::unique_ptr<CMapBrush> BuildPieceBrush(const ConvexPiece& piece, std::string& problem);

// Whether every edge of the brush joins two of its faces, once each way:
// stricter than IsClosedBrush, which lets rounding leave a corner on a
// neighbour's edge.
bool EveryEdgeJoinsTwoFaces(const CMapBrush& brush);
