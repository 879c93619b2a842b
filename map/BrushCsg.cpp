#include "map/BrushCsg.h"

#include <cmath>
#include <cstdlib>

namespace {

// The axis a plane moves along when it moves inward: the one its normal
// leans on most, so that whole-number points stay whole.
int NearestAxis(const PieceFace& face) {
    const IntPoint& p = face.points[0];
    const IntPoint& q = face.points[1];
    const IntPoint& r = face.points[2];
    const Vec3d normal = Cross(ToVec3d(p) - ToVec3d(q), ToVec3d(r) - ToVec3d(q));
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
        if (std::abs(normal[a]) > std::abs(normal[axis]))
            axis = a;
    }
    return normal[axis] > 0 ? axis + 1 : -(axis + 1);
}

void MoveAlong(IntPoint& point, int axis, int32_t distance) {
    int32_t* coordinates[3] = {&point.x, &point.y, &point.z};
    *coordinates[axis] += distance;
}

// Cuts `remaining` by the chosen plane of `cutter`; returns the index of the
// plane used, or -1 when none leaves anything outside.
int CutOnce(ConvexPiece& remaining, const ConvexPiece& cutter, std::vector<bool>& used,
            CutOrder order, std::vector<ConvexPiece>& pieces) {
    int best = -1;
    double bestVolume = 0.0;
    SplitParts bestParts;
    for (size_t i = 0; i < cutter.size(); ++i) {
        if (used[i])
            continue;
        SplitParts parts = SplitPiece(remaining, cutter[i]);
        if (!parts.front || !parts.back)
            continue;
        const double volume = PieceVolume(*parts.front);
        if (volume > bestVolume) {
            best = static_cast<int>(i);
            bestVolume = volume;
            bestParts = std::move(parts);
            if (order == CutOrder::kFaceOrder)
                break;
        }
    }
    if (best < 0)
        return -1;
    used[best] = true;
    pieces.push_back(std::move(*bestParts.front));
    remaining = std::move(*bestParts.back);
    return best;
}

} // namespace

bool PiecesOverlap(const ConvexPiece& a, const ConvexPiece& b) {
    ConvexPiece both = a;
    both.insert(both.end(), b.begin(), b.end());
    return PieceVolume(both) > kNoVolume;
}

std::vector<ConvexPiece> SubtractPiece(const ConvexPiece& from, const ConvexPiece& cutter,
                                       CutOrder order) {
    if (!PiecesOverlap(from, cutter))
        return {from};
    std::vector<ConvexPiece> pieces;
    ConvexPiece remaining = from;
    std::vector<bool> used(cutter.size(), false);
    while (CutOnce(remaining, cutter, used, order, pieces) >= 0) {
    }
    // What remains lies inside every plane of the cutter: it goes.
    return pieces;
}

std::vector<ConvexPiece> SubtractFromAll(const std::vector<ConvexPiece>& pieces,
                                         const ConvexPiece& cutter) {
    std::vector<ConvexPiece> left;
    for (const ConvexPiece& piece : pieces) {
        std::vector<ConvexPiece> parts = SubtractPiece(piece, cutter);
        left.insert(left.end(), parts.begin(), parts.end());
    }
    return left;
}

ConvexPiece InnerPiece(const ConvexPiece& piece, int32_t thickness) {
    ConvexPiece inner = piece;
    for (PieceFace& face : inner) {
        const int axis = NearestAxis(face);
        const int32_t inward = axis > 0 ? -thickness : thickness;
        for (IntPoint& point : face.points)
            MoveAlong(point, std::abs(axis) - 1, inward);
    }
    return inner;
}

std::optional<std::vector<ConvexPiece>> HollowPiece(const ConvexPiece& piece, int32_t thickness) {
    const ConvexPiece inner = InnerPiece(piece, thickness);
    if (PieceVolume(inner) <= kNoVolume)
        return std::nullopt;
    return SubtractPiece(piece, inner);
}

std::optional<std::vector<SharedWall>> HollowTogether(const std::vector<ConvexPiece>& pieces,
                                                      int32_t thickness) {
    std::vector<ConvexPiece> inners;
    for (const ConvexPiece& piece : pieces) {
        inners.push_back(InnerPiece(piece, thickness));
        if (PieceVolume(inners.back()) <= kNoVolume)
            return std::nullopt;
    }
    std::vector<SharedWall> walls;
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::vector<ConvexPiece> own = SubtractPiece(pieces[i], inners[i]);
        for (size_t j = 0; j < pieces.size(); ++j) {
            // Another's inside is inside the union; the pieces before this
            // one have made their walls of what they share with it.
            if (j != i)
                own = SubtractFromAll(own, inners[j]);
            if (j < i)
                own = SubtractFromAll(own, pieces[j]);
        }
        for (ConvexPiece& wall : own)
            walls.push_back({i, std::move(wall)});
    }
    return walls;
}
