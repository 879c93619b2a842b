#include "map/TextureLock.h"

#include "framework/TextToNumber.h"
#include "map/FaceTextureChange.h"
#include "map/TextureProjection.h"

#include <cmath>
#include <optional>

namespace {

double Unzero(double scale) {
    return scale == 0.0 ? 1.0 : scale;
}

bool SameNumber(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

// Gives a standard face new numbers in place of `now`, what it has
// (GetStandardTexture); offsets stay whole, as the form writes them, and
// numbers that did not change keep their text.
void SetStandardNumbers(CMapBrush& brush, int face, const StandardTexture& now,
                        const StandardTexture& numbers) {
    FaceTexture texture;
    texture.xOffset = std::nearbyint(numbers.xOffset);
    texture.yOffset = std::nearbyint(numbers.yOffset);
    texture.rotation = NearestFloat(numbers.rotation);
    texture.xScale = NearestFloat(numbers.xScale);
    texture.yScale = NearestFloat(numbers.yScale);
    FaceTextureChange change;
    change.xOffset = !SameNumber(texture.xOffset, now.xOffset);
    change.yOffset = !SameNumber(texture.yOffset, now.yOffset);
    change.rotation = !SameNumber(numbers.rotation, now.rotation);
    change.xScale = !SameNumber(numbers.xScale, now.xScale);
    change.yScale = !SameNumber(numbers.yScale, now.yScale);
    ApplyFaceTextureChange(brush, face, texture, change);
}

// The standard numbers of axes on a plane: exact where there are such, else
// the nearest.
StandardTexture StandardNumbersOf(const Vec3d& normal, const ValveAxes& axes, double rotation,
                                  double xScale, double yScale) {
    if (std::optional<StandardTexture> exact =
            FindStandardTexture(normal, axes, rotation, xScale, yScale))
        return *exact;
    return NearestStandardTexture(normal, axes, xScale, yScale);
}

// What an offset gains as its axis turns from `axis` to `turned` about
// `centre`, for each texel to stay on the same point of the brush.
double TexelShift(const Vec3d& axis, const Vec3d& turned, const Vec3d& centre, double scale) {
    return (Dot(centre, axis) - Dot(centre, turned)) / scale;
}

// Offsets that keep each texel of the face on the same point of the brush as
// the axes change from `axes` to `turned` about `centre`: s = P.u / scale +
// offset must hold for the turned P and u.
void KeepTexelsAbout(ValveAxes& turned, const ValveAxes& axes, const Vec3d& centre, double xScale,
                     double yScale) {
    turned.uOffset = Tidy(axes.uOffset + TexelShift(axes.u, turned.u, centre, xScale));
    turned.vOffset = Tidy(axes.vOffset + TexelShift(axes.v, turned.v, centre, yScale));
}

void TurnValveFaceWithBrush(CMapBrush& brush, int face, const PlaneTurn& turn) {
    ValveAxes& axes = brush.m_valveAxes[face];
    ValveAxes turned = axes;
    turned.u = turn.ApplyToDirection(axes.u);
    turned.v = turn.ApplyToDirection(axes.v);
    KeepTexelsAbout(turned, axes, ToVec3d(turn.centre), Unzero(brush.m_faces[face].xScale),
                    Unzero(brush.m_faces[face].yScale));
    axes = turned;
    brush.ForgetTextureText(face);
}

// Of a standard face, all its outcome depends on but its offsets.
CStandardFaceMemo::Kind KindOf(const StandardTexture& numbers, const Vec3d& directionBefore,
                               const Vec3d& directionAfter) {
    return {NearestAxisPlane(directionBefore), NearestAxisPlane(directionAfter), numbers.rotation,
            numbers.xScale, numbers.yScale};
}

// The axes the face has turned with the brush, and the standard numbers
// nearest to them on its new plane.
CStandardFaceMemo::Outcome TurnedKind(const StandardTexture& numbers, const Vec3d& directionBefore,
                                      const Vec3d& directionAfter, const PlaneTurn& turn) {
    const ValveAxes axes = MakeValveAxes(directionBefore, numbers);
    ValveAxes turned = axes;
    turned.u = turn.ApplyToDirection(axes.u);
    turned.v = turn.ApplyToDirection(axes.v);
    const Vec3d centre = ToVec3d(turn.centre);
    const StandardTexture found =
        StandardNumbersOf(directionAfter, turned, numbers.rotation, numbers.xScale, numbers.yScale);
    return {TexelShift(axes.u, turned.u, centre, numbers.xScale),
            TexelShift(axes.v, turned.v, centre, numbers.yScale), found.rotation, found.xScale,
            found.yScale};
}

// The axes of the face's numbers, shifted along with the move: the shift is
// taken off the offsets, and adding it negated gives the very same sums.
CStandardFaceMemo::Outcome MovedKind(const StandardTexture& numbers, const Vec3d& direction,
                                     const IntPoint& delta) {
    const ValveAxes axes = MakeValveAxes(direction, numbers);
    return {-OffsetShiftOfMove(axes.u, NearestFloat(numbers.xScale), delta),
            -OffsetShiftOfMove(axes.v, NearestFloat(numbers.yScale), delta), numbers.rotation,
            numbers.xScale, numbers.yScale};
}

// What the memo holds for the face's kind, else `work` worked out (and kept
// for the next face of the kind).
template <class Work>
CStandardFaceMemo::Outcome OutcomeOf(CStandardFaceMemo* memo, const CStandardFaceMemo::Kind& kind,
                                     Work work) {
    if (!memo)
        return work();
    if (const CStandardFaceMemo::Outcome* kept = memo->Find(kind))
        return *kept;
    const CStandardFaceMemo::Outcome outcome = work();
    memo->Keep(kind, outcome);
    return outcome;
}

// The same sums for a face whichever way its outcome came, to the last bit.
void SetOutcome(CMapBrush& brush, int face, const StandardTexture& numbers,
                const CStandardFaceMemo::Outcome& outcome) {
    const StandardTexture changed{Tidy(numbers.xOffset + outcome.xShift),
                                  Tidy(numbers.yOffset + outcome.yShift), outcome.rotation,
                                  outcome.xScale, outcome.yScale};
    SetStandardNumbers(brush, face, numbers, changed);
}

void TurnStandardFaceWithBrush(CMapBrush& brush, int face, const Vec3d& directionBefore,
                               const PlaneTurn& turn, CStandardFaceMemo* memo) {
    const StandardTexture numbers = GetStandardTexture(brush, face);
    const Vec3d directionAfter = GetFaceDirection(brush, face);
    const CStandardFaceMemo::Outcome outcome =
        OutcomeOf(memo, KindOf(numbers, directionBefore, directionAfter),
                  [&] { return TurnedKind(numbers, directionBefore, directionAfter, turn); });
    SetOutcome(brush, face, numbers, outcome);
}

void MoveFaceTexture(CMapBrush& brush, int face, const IntPoint& delta,
                     CStandardFaceMemo* memo = nullptr) {
    if (brush.HasValveAxes()) {
        const BrushFace& f = brush.m_faces[face];
        ShiftAxesWithMove(brush.m_valveAxes[face], f.xScale, f.yScale, delta);
        brush.ForgetTextureText(face);
        return;
    }
    const StandardTexture numbers = GetStandardTexture(brush, face);
    const Vec3d direction = GetFaceDirection(brush, face);
    const CStandardFaceMemo::Outcome outcome =
        OutcomeOf(memo, KindOf(numbers, direction, direction),
                  [&] { return MovedKind(numbers, direction, delta); });
    SetOutcome(brush, face, numbers, outcome);
}

// `v` turned by the smallest rotation taking the unit `from` to the unit `to`.
Vec3d TurnedBetween(const Vec3d& v, const Vec3d& from, const Vec3d& to) {
    const Vec3d axis = Cross(from, to);
    const double sine = Length(axis);
    const double cosine = Dot(from, to);
    if (sine < 1e-12)
        return v; // the same plane, or one turned inside out: nothing to turn by
    const Vec3d k = axis * (1.0 / sine);
    return v * cosine + Cross(k, v) * sine + k * (Dot(k, v) * (1.0 - cosine));
}

// Whether a Valve face's axes still lay a texture on a plane: neither stands
// on it, nor do they fall onto one line there.
bool AxesSpanPlane(const ValveAxes& axes, const Vec3d& normal) {
    const double lengths = Length(axes.u) * Length(axes.v);
    return lengths > 0.0 && std::fabs(Dot(Cross(axes.u, axes.v), normal)) >= 0.05 * lengths;
}

// Texture lock off: a Valve face keeps its numbers unless its axes no longer
// span its plane; then it gets those of its numbers on the new plane. Of the
// plane before, only its nearest axis plane counts: a direction serves.
void KeepValveNumbers(CMapBrush& brush, int face, const Vec3d& normalBefore,
                      const Vec3d& normalAfter) {
    ValveAxes& axes = brush.m_valveAxes[face];
    if (AxesSpanPlane(axes, normalAfter))
        return;
    BrushFace& f = brush.m_faces[face];
    const StandardTexture numbers =
        StandardNumbersOf(normalBefore, axes, f.rotation, Unzero(f.xScale), Unzero(f.yScale));
    const int line = axes.line;
    axes = MakeValveAxes(normalAfter, numbers);
    axes.line = line;
    f.rotation = NearestFloat(numbers.rotation);
    f.xScale = NearestFloat(numbers.xScale);
    f.yScale = NearestFloat(numbers.yScale);
    brush.ForgetTextureText(face);
}

// A point of both planes, about which the texture turns with the face: a
// corner that stayed, else the point of the line the planes meet in nearest
// to the face's middle.
Vec3d FindPivot(const CMapBrush& brush, int face, const FacesBefore& before, const Vec3d& n0,
                const Vec3d& n1) {
    const BrushFace& f = brush.m_faces[face];
    Vec3d middle;
    for (int k = 0; k < f.numPoints; ++k) {
        const int v = f.vertexIndex[k];
        if (brush.m_vertices[v] == before.corners[v])
            return ToVec3d(brush.m_vertices[v]);
        middle = middle + ToVec3d(before.corners[v]) * (1.0 / f.numPoints);
    }
    const double d0 = Dot(n0, ToVec3d(before.corners[f.vertexIndex[0]]));
    const double d1 = Dot(n1, ToVec3d(brush.m_vertices[f.vertexIndex[0]]));
    const Vec3d k = Cross(n0, n1);
    const double kk = Dot(k, k);
    if (kk < 1e-18)
        return middle; // planes all but parallel: the texture hardly turns
    const Vec3d onLine = (Cross(n1, k) * d0 + Cross(k, n0) * d1) * (1.0 / kk);
    return onLine + k * (Dot(k, middle - onLine) / kk);
}

// Texture lock: the face's axes turn with its plane, about the pivot.
void TurnValveFaceWithPlane(CMapBrush& brush, int face, const Vec3d& n0, const Vec3d& n1,
                            const Vec3d& pivot) {
    ValveAxes& axes = brush.m_valveAxes[face];
    ValveAxes turned = axes;
    turned.u = Tidy(TurnedBetween(axes.u, n0, n1));
    turned.v = Tidy(TurnedBetween(axes.v, n0, n1));
    const BrushFace& f = brush.m_faces[face];
    KeepTexelsAbout(turned, axes, pivot, Unzero(f.xScale), Unzero(f.yScale));
    axes = turned;
    brush.ForgetTextureText(face);
}

// The step all corners of a face took, when they took the same one.
std::optional<IntPoint> CommonStep(const CMapBrush& brush, int face, const FacesBefore& before) {
    const BrushFace& f = brush.m_faces[face];
    std::optional<IntPoint> step;
    for (int k = 0; k < f.numPoints; ++k) {
        const int v = f.vertexIndex[k];
        const IntPoint& was = before.corners[v];
        const IntPoint& is = brush.m_vertices[v];
        const IntPoint taken{is.x - was.x, is.y - was.y, is.z - was.z};
        if (step && *step != taken)
            return std::nullopt;
        step = taken;
    }
    return step;
}

// The mapping under which every transformed point shows the texel it showed
// before: s = P . u / xScale + uOffset holds for the point before and its
// axes, and for the point after and the axes through the carry.
TexelMapping CarryMapping(const TexelMapping& before, const AxesCarry& carry) {
    TexelMapping after = before;
    after.axes.u = carry.axesMap * before.axes.u;
    after.axes.v = carry.axesMap * before.axes.v;
    after.axes.uOffset =
        before.S(carry.pointBefore) - Dot(carry.pointAfter, after.axes.u) / after.xScale;
    after.axes.vOffset =
        before.T(carry.pointBefore) - Dot(carry.pointAfter, after.axes.v) / after.yScale;
    return after;
}

// The axis keeps its length; what it stretched by goes into the scale. The
// scale is a float: the axis takes up the rest, so that s stays as it is.
void FoldStretch(Vec3d& axis, const Vec3d& axisBefore, float& scale) {
    const double before = Unzero(scale);
    const double length = Length(axis);
    if (length == 0.0)
        return;
    const float folded = NearestFloat(before * Length(axisBefore) / length);
    if (!std::isfinite(folded) || folded == 0.0f)
        return;
    axis = Tidy(axis * (folded / before));
    scale = folded;
}

void CarryValveFace(CMapBrush& brush, int face, const AxesCarry& carry) {
    ValveAxes& axes = brush.m_valveAxes[face];
    BrushFace& f = brush.m_faces[face];
    const TexelMapping before{axes, Unzero(f.xScale), Unzero(f.yScale)};
    TexelMapping after = CarryMapping(before, carry);
    FoldStretch(after.axes.u, axes.u, f.xScale);
    FoldStretch(after.axes.v, axes.v, f.yScale);
    after.xScale = Unzero(f.xScale);
    after.yScale = Unzero(f.yScale);
    // The offsets again, for the axes and scales as they are kept.
    after.axes.uOffset =
        Tidy(before.S(carry.pointBefore) - Dot(carry.pointAfter, after.axes.u) / after.xScale);
    after.axes.vOffset =
        Tidy(before.T(carry.pointBefore) - Dot(carry.pointAfter, after.axes.v) / after.yScale);
    axes.u = after.axes.u;
    axes.v = after.axes.v;
    axes.uOffset = after.axes.uOffset;
    axes.vOffset = after.axes.vOffset;
    brush.ForgetTextureText(face);
}

// A standard face takes new numbers only where they say the carried texture
// exactly; elsewhere it shows what its axis plane gives with the numbers it has.
void CarryStandardFace(CMapBrush& brush, int face, const CarriedFace& normals,
                       const AxesCarry& carry) {
    StandardTexture numbers = GetStandardTexture(brush, face);
    const ValveAxes axes = MakeValveAxes(normals.normalBefore, numbers);
    const TexelMapping after = CarryMapping({axes, numbers.xScale, numbers.yScale}, carry);
    if (std::optional<StandardTexture> exact = FindStandardTexture(
            normals.normalAfter, after.axes, numbers.rotation, numbers.xScale, numbers.yScale))
        SetStandardNumbers(brush, face, numbers, *exact);
}

} // namespace

void NoteFacesBefore(const CMapBrush& brush, FacesBefore& before) {
    before.corners.assign(brush.m_vertices, brush.m_vertices + brush.m_numVertices);
    before.normals.clear();
    for (int f = 0; f < brush.m_numFaces; ++f)
        before.normals.push_back(GetFaceNormal(brush, f));
}

void MoveTexturesWithBrush(CMapBrush& brush, const IntPoint& delta, CStandardFaceMemo* memo) {
    if (delta == IntPoint())
        return;
    if (memo)
        memo->ServeMove(delta);
    for (int f = 0; f < brush.m_numFaces; ++f)
        MoveFaceTexture(brush, f, delta, memo);
}

void NoteFaceDirections(const CMapBrush& brush, std::vector<Vec3d>& directions) {
    directions.clear();
    for (int f = 0; f < brush.m_numFaces; ++f)
        directions.push_back(GetFaceDirection(brush, f));
}

void TurnTexturesWithBrush(CMapBrush& brush, std::span<const Vec3d> directionsBefore,
                           const PlaneTurn& turn, bool lock, CStandardFaceMemo* memo) {
    if (memo)
        memo->ServeTurn(turn);
    for (int f = 0; f < brush.m_numFaces && f < static_cast<int>(directionsBefore.size()); ++f) {
        if (lock && brush.HasValveAxes())
            TurnValveFaceWithBrush(brush, f, turn);
        else if (lock)
            TurnStandardFaceWithBrush(brush, f, directionsBefore[f], turn, memo);
        else if (brush.HasValveAxes())
            KeepValveNumbers(brush, f, directionsBefore[f], GetFaceNormal(brush, f));
    }
}

void FollowMovedCorners(CMapBrush& brush, const FacesBefore& before, bool lock) {
    if (before.corners.size() != brush.m_numVertices || before.normals.size() != brush.m_numFaces)
        return;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const std::optional<IntPoint> step = CommonStep(brush, f, before);
        if (step && *step == IntPoint())
            continue; // the face did not move
        if (step) {
            if (lock)
                MoveFaceTexture(brush, f, *step);
            continue;
        }
        if (!brush.HasValveAxes())
            continue; // a standard face shows what its axis plane gives
        const Vec3d& n0 = before.normals[f];
        const Vec3d n1 = GetFaceNormal(brush, f);
        if (n0 == n1)
            continue;
        if (lock)
            TurnValveFaceWithPlane(brush, f, n0, n1, FindPivot(brush, f, before, n0, n1));
        else
            KeepValveNumbers(brush, f, n0, n1);
    }
}

void TransformTexturesWithBrush(CMapBrush& brush, std::span<const CarriedFace> faces,
                                const AxesCarry& carry, bool lock) {
    for (int f = 0; f < brush.m_numFaces && f < static_cast<int>(faces.size()); ++f) {
        if (lock && brush.HasValveAxes())
            CarryValveFace(brush, f, carry);
        else if (lock)
            CarryStandardFace(brush, f, faces[f], carry);
        else if (brush.HasValveAxes())
            KeepValveNumbers(brush, f, faces[f].normalBefore, faces[f].normalAfter);
    }
}
