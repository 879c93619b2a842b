#pragma once

#include "map/CMapBrush.h"
#include "map/Vec3d.h"

#include <cmath>
#include <cstdint>
#include <optional>

// The texture numbers of a standard face line, as its text states them.
struct StandardTexture {
    double xOffset = 0.0;
    double yOffset = 0.0;
    double rotation = 0.0;
    double xScale = 1.0;
    double yScale = 1.0;
};

// A computed number without its rounding noise: within a hair of a whole
// number or a short decimal, it becomes that number.
double TidyNumber(double value);
// The same; a whole number, as most that a quarter turn computes are, is
// tidy already, and a turn of many brushes asks for millions.
inline double Tidy(double value) {
    if (std::fabs(value) < 0x1p52 && static_cast<double>(static_cast<int64_t>(value)) == value)
        return value + 0.0; // never -0
    return TidyNumber(value);
}
Vec3d Tidy(const Vec3d& v);

// The outward normal of a face's plane as the file states it (unit length).
Vec3d GetFaceNormal(const CMapBrush& brush, int face);
// Along that normal, not always of unit length: the axis plane nearest to it
// is the normal's, and that is all MakeValveAxes, FindStandardTexture and
// NearestStandardTexture ask of a normal. It spares a turn of a hundred
// thousand brushes a square root and a division for every face.
Vec3d GetFaceDirection(const CMapBrush& brush, int face);

// Which of the six axis planes (floor, ceiling, then the walls) lies nearest
// to a face with this normal or direction: of the normal, all that
// MakeValveAxes, FindStandardTexture and NearestStandardTexture go by.
int NearestAxisPlane(const Vec3d& normal);

// A standard face's numbers, exactly as its line gives them (kept text
// included); a zero scale counts as 1, as the compilers take it.
StandardTexture GetStandardTexture(const CMapBrush& brush, int face);

// The axes the compilers give a standard face: those of the axis plane
// nearest to it, turned by its rotation; the offsets carry over. A Valve face
// with these axes and the same scales shows exactly the same texture.
ValveAxes MakeValveAxes(const Vec3d& normal, const StandardTexture& texture);

// The standard numbers whose texture is the one the axes give with these
// scales, when there are such: both axes lie in the axis plane nearest to the
// face and stand at right angles there as a rotation turns them. The face's
// own rotation is tried first, so that a face made from standard numbers gets
// them back.
std::optional<StandardTexture> FindStandardTexture(const Vec3d& normal, const ValveAxes& axes,
                                                   double rotation, double xScale, double yScale);
// The nearest standard numbers, for a conversion the user accepted: the
// direction and length of each axis within that plane.
StandardTexture NearestStandardTexture(const Vec3d& normal, const ValveAxes& axes, double xScale,
                                       double yScale);

// How the map compilers lay a face's texture on it: the point P shows the
// texel s = P . u / xScale + uOffset, t = P . v / yScale + vOffset, counted
// from the texture's top left corner and repeating. One mapping for both
// forms: a standard face's numbers give it the axes of MakeValveAxes.
struct TexelMapping {
    ValveAxes axes;
    double xScale = 1.0;
    double yScale = 1.0;

    double S(const Vec3d& p) const { return Dot(p, axes.u) / xScale + axes.uOffset; }
    double T(const Vec3d& p) const { return Dot(p, axes.v) / yScale + axes.vOffset; }
};
TexelMapping GetTexelMapping(const CMapBrush& brush, int face);

// Turns both axes about the face's normal by `degrees`, in the sense a
// standard rotation turns a texture.
void TurnAxes(ValveAxes& axes, const Vec3d& normal, double degrees);
// Texture lock: what a move by `delta` takes off the offset along an axis
// with this scale, to keep the texture where it was on the face.
double OffsetShiftOfMove(const Vec3d& axis, float scale, const IntPoint& delta);
// Texture lock: the offsets that keep the texture on a face that moved by
// `delta`.
void ShiftAxesWithMove(ValveAxes& axes, float xScale, float yScale, const IntPoint& delta);
