#pragma once

#include "map/ConvexPiece.h"

#include <cstdint>
#include <optional>
#include <vector>

// Cutting convex pieces out of one another: what Subtract and Hollow make of
// brushes, before any brush is built.

// The order a cut tries the cutter's planes in: the plane that leaves the
// largest piece outside the cutter first (whose piece may take in what others
// would leave, so fewer pieces come out), or simply the cutter's face order.
enum class CutOrder : uint8_t { kLargestFirst, kFaceOrder };

// Whether the two pieces share some volume.
bool PiecesOverlap(const ConvexPiece& a, const ConvexPiece& b);

// What is left of `from` outside `cutter`, as convex pieces that do not
// overlap: `from` itself when the two share no volume, nothing when the
// cutter takes all of it. Faces along the cutter take its faces' textures.
std::vector<ConvexPiece> SubtractPiece(const ConvexPiece& from, const ConvexPiece& cutter,
                                       CutOrder order = CutOrder::kLargestFirst);

// The same for each of `pieces`.
std::vector<ConvexPiece> SubtractFromAll(const std::vector<ConvexPiece>& pieces,
                                         const ConvexPiece& cutter);

// The piece with each plane moved `thickness` inward along the axis nearest
// its normal (the whole thickness for planes along the axes); points stay
// whole numbers. Its faces keep their sources.
ConvexPiece InnerPiece(const ConvexPiece& piece, int32_t thickness);

// The walls of a hollowed piece: one for each face the inside reaches, all
// inside the piece and none overlapping. None when the piece is too thin to
// have an inside.
std::optional<std::vector<ConvexPiece>> HollowPiece(const ConvexPiece& piece, int32_t thickness);

// A wall of the space several pieces make together, and which of them it
// came from.
struct SharedWall {
    size_t owner = 0;
    ConvexPiece piece;
};

// Walls only where the union of the pieces meets the outside: the inside of
// each piece and every part of the others' walls inside another piece's
// inside are left empty, and no two walls overlap. None when some piece is too
// thin to have an inside.
std::optional<std::vector<SharedWall>> HollowTogether(const std::vector<ConvexPiece>& pieces,
                                                      int32_t thickness);
