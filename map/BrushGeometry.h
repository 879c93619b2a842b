#pragma once

#include "map/BrushDef.h"
#include "map/CMapBrush.h"
#include "map/MapLimits.h"
#include "map/Vec3d.h"

#include <functional>
#include <string_view>

// A corner further out than the world reaches is bogus.
inline constexpr double kBogusRange = kWorldExtent;
inline constexpr double kOnPlaneEpsilon = 0.1;
inline constexpr double kDegenerateEdgeLength = 0.1;
// Every face of a brush inside the world lies within sqrt(3) world extents of
// the point of its plane nearest the origin; the base polygon reaches further
// still, so that a brush beyond the world is built as far as it reaches, not
// cut, and is found out by its corners. Doubles hold its corners to a
// millionth of a unit and better.
inline constexpr double kBasePolyHalfSize = 4.0 * kWorldExtent;
inline constexpr int kWindingCapacity = 64;

// p lies on the plane when p . normal == dist, in front of it when greater.
struct Plane {
    Vec3d normal{};
    double dist = 0.0;
};

// A convex polygon, its points in order around it. A winding lives on the
// stack; "releasing" one costs nothing.
struct Winding {
    int numPoints = 0;
    int capacity = 0; // the room it was made with, at most kWindingCapacity
    Vec3d points[kWindingCapacity];
};

// Problems found while building go here (without a line number: the caller
// knows which brush it is building).
using GeometryReport = std::function<void(std::string_view message)>;

// A winding with room for `points` points (at most kWindingCapacity), count 0.
Winding NewWinding(int points, const GeometryReport& report);

// A square of half-size kBasePolyHalfSize on the plane, seen from the front in the order
// that makes (p0 - p1) x (p2 - p1) point along the normal. Fixes a zero
// texture scale of `face` to 1.
Winding BasePolyForPlane(const Plane& plane, FaceDef& face, const GeometryReport& report);

// Keeps the part of `winding` in front of `plane`. Returns false when nothing
// is left.
bool ClipWinding(Winding& winding, const Plane& plane, const GeometryReport& report);

// Diagnostics only: reports what is wrong with a face's polygon.
void CheckFace(const Plane& plane, const Winding* winding, const GeometryReport& report);

// Rounds halves upward: 2.5 -> 3, -2.5 -> -2.
double RoundHalfUp(double value);

// Saving the untouched brush writes face `face` through the plane points of
// `def` rather than its corners; `asWrittenOnly` when its corners span that
// plane too (a face that has such points keeps them as needed).
void KeepReadPoints(CMapBrush& brush, int face, const FaceDef& def, bool asWrittenOnly = false);

// False when a face's three points are equal or on one line, so that they give
// no plane.
bool FacePointsSpanPlane(const FaceDef& face);

// Turns the planes of `def` into corners shared by faces. Faces that end with
// no polygon (collinear points, a repeated plane, cut away by the others) are
// left out of the brush. Returns false, leaving `brush` empty, when the brush
// has more distinct corners than a brush can hold. When `builtFaceOfDef` is
// given, entry i becomes the index in the brush of face i of `def`, or -1 when
// that face was left out (and kept among the hidden faces, in def order).
bool BuildBrush(CMapBrush& brush, BrushDef& def, const GeometryReport& report,
                int* builtFaceOfDef = nullptr);

// Whether a corner of the brush lies further than kWorldExtent from the
// origin along some axis.
bool ReachesBeyondWorld(const CMapBrush& brush);

// The space the brush's corners enclose, in cubic units.
double BrushVolume(const CMapBrush& brush);
