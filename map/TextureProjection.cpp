#include "map/TextureProjection.h"

#include "framework/TextToNumber.h"
#include "map/CMapTokenizer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace {

// The texture axes the compilers give each axis plane: for a face whose
// normal is nearest to kBaseAxes[3 i], the axes are kBaseAxes[3 i + 1] and
// kBaseAxes[3 i + 2]. Floor and ceiling come first, so that ties go to them.
constexpr Vec3d kBaseAxes[18] = {
    {0, 0, 1},  {1, 0, 0}, {0, -1, 0}, // floor
    {0, 0, -1}, {1, 0, 0}, {0, -1, 0}, // ceiling
    {1, 0, 0},  {0, 1, 0}, {0, 0, -1}, // west wall
    {-1, 0, 0}, {0, 1, 0}, {0, 0, -1}, // east wall
    {0, 1, 0},  {1, 0, 0}, {0, 0, -1}, // south wall
    {0, -1, 0}, {1, 0, 0}, {0, 0, -1}, // north wall
};

// Axes at this angle (in units of their length) off what they should be
// still count as exact: a thousandth of a texel across 32768 units and more.
constexpr double kTolerance = 1e-6;

struct BaseAxes {
    Vec3d x, y;
    int s = 0; // the one component x has
    int t = 0; // the one component y has
};

constexpr int OnlyComponent(const Vec3d& axis) {
    return axis.x != 0.0 ? 0 : axis.y != 0.0 ? 1 : 2;
}

constexpr BaseAxes BaseAxesOf(int plane) {
    BaseAxes base{kBaseAxes[3 * plane + 1], kBaseAxes[3 * plane + 2]};
    base.s = OnlyComponent(base.x);
    base.t = OnlyComponent(base.y);
    return base;
}

constexpr BaseAxes kPlaneBases[6] = {BaseAxesOf(0), BaseAxesOf(1), BaseAxesOf(2),
                                     BaseAxesOf(3), BaseAxesOf(4), BaseAxesOf(5)};

} // namespace

int NearestAxisPlane(const Vec3d& normal) {
    // The planes' normals are unit axes: with a finite normal each product is
    // one of its components, exactly, and a turn of many brushes asks twice
    // for every face.
    const bool finite =
        std::isfinite(normal.x) && std::isfinite(normal.y) && std::isfinite(normal.z);
    const double components[6] = {normal.z, -normal.z, normal.x, -normal.x, normal.y, -normal.y};
    int best = 0;
    double bestDot = 0.0;
    for (int i = 0; i < 6; ++i) {
        const double dot = finite ? components[i] : Dot(normal, kBaseAxes[3 * i]);
        if (dot > bestDot) {
            bestDot = dot;
            best = i;
        }
    }
    return best;
}

namespace {

const BaseAxes& ChooseBaseAxes(const Vec3d& normal) {
    return kPlaneBases[NearestAxisPlane(normal)];
}

// Sine and cosine of whole quarter turns exactly, as the compilers take them.
void SinCos(double degrees, double& sine, double& cosine) {
    // Most rotations lie within one turn already, where the remainder is the
    // number itself.
    double turn = degrees >= 0.0 && degrees < 360.0 ? degrees : std::fmod(degrees, 360.0);
    if (turn < 0.0)
        turn += 360.0;
    constexpr double kQuarters[4] = {0.0, 90.0, 180.0, 270.0};
    constexpr double kSines[4] = {0.0, 1.0, 0.0, -1.0};
    for (int quarter = 0; quarter < 4; ++quarter) {
        if (turn == kQuarters[quarter]) {
            sine = kSines[quarter];
            cosine = kSines[(quarter + 1) % 4];
            return;
        }
    }
    const double radians = degrees * std::numbers::pi / 180.0;
    sine = std::sin(radians);
    cosine = std::cos(radians);
}

} // namespace

// Rounding noise off a computed number: what lies within a hair of a whole
// number, or of a short decimal such as sin 30 = 0.5, becomes that number;
// so does what lies within a few units of the last place of a decimal of at
// most 12 digits (109.700981 - 24 is 85.700981, not 85.70098099999999). A
// number of more digits than that (cos 30) is left as it is.
double TidyNumber(double value) {
    const double whole = std::nearbyint(value);
    if (std::fabs(value - whole) <= 1e-9 * std::max(1.0, std::fabs(value)))
        return whole + 0.0; // never -0
    if (!std::isfinite(value))
        return value;
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits - 1, value, std::chars_format::general, 12);
    *written.ptr = '\0';
    const double rounded = ParseDouble(digits);
    int significant = 0;
    for (const char* c = digits; c != written.ptr && *c != 'e'; ++c) {
        if ((*c >= '1' && *c <= '9') || (*c == '0' && significant > 0))
            ++significant;
    }
    const double lastPlace = std::nextafter(std::fabs(value), HUGE_VAL) - std::fabs(value);
    const double hair = significant <= 6 ? 1e-12 * std::fabs(value) : 4 * lastPlace;
    return std::fabs(rounded - value) <= hair ? rounded : value;
}

Vec3d Tidy(const Vec3d& v) {
    return {Tidy(v.x), Tidy(v.y), Tidy(v.z)};
}

namespace {

// Turns `v` about the unit axis `k` by the angle with this sine and cosine.
Vec3d Turned(const Vec3d& v, const Vec3d& k, double sine, double cosine) {
    return v * cosine + Cross(k, v) * sine + k * (Dot(k, v) * (1.0 - cosine));
}

double Unzero(double scale) {
    return scale == 0.0 ? 1.0 : scale;
}

double Degrees(double y, double x) {
    return Tidy(std::atan2(y, x) * 180.0 / std::numbers::pi);
}

// The three points a face's plane is taken through: its first three corners,
// or the points it was read with while the brush is untouched.
struct NormalPoints {
    const IntPoint* p[3];
};

NormalPoints GetNormalPoints(const CMapBrush& brush, int face) {
    const uint8_t* corners = brush.m_faces[face].vertexIndex;
    const NormalPoints fromCorners{{&brush.m_vertices[corners[0]], &brush.m_vertices[corners[1]],
                                    &brush.m_vertices[corners[2]]}};
    // Plane points kept as text are not whole numbers; the corners lie on
    // that plane as near as whole numbers can.
    if (!brush.m_readPlanes || brush.m_readPlanes->FindPlaneText(face))
        return fromCorners;
    const IntPoint* read = brush.m_readPlanes->FindPoints(face);
    return read ? NormalPoints{{read, read + 1, read + 2}} : fromCorners;
}

Vec3d CrossOf(const NormalPoints& points) {
    const Vec3d p = ToVec3d(*points.p[0]), q = ToVec3d(*points.p[1]), r = ToVec3d(*points.p[2]);
    return Cross(p - q, r - q);
}

// Within 2^24 of the middle point, every product of the cross product is a
// whole number below 2^48, and each of its components one below 2^49: exact.
bool CrossIsExact(const NormalPoints& points) {
    constexpr int64_t kReach = int64_t{1} << 24;
    auto near = [&](int32_t a, int32_t b) {
        const int64_t step = int64_t{a} - b;
        return step > -kReach && step < kReach;
    };
    const IntPoint &p = *points.p[0], &q = *points.p[1], &r = *points.p[2];
    return near(p.x, q.x) && near(p.y, q.y) && near(p.z, q.z) && near(r.x, q.x) && near(r.y, q.y) &&
           near(r.z, q.z);
}

} // namespace

Vec3d GetFaceNormal(const CMapBrush& brush, int face) {
    return Normalized(CrossOf(GetNormalPoints(brush, face)));
}

// Scaled alike to unit length, distinct whole numbers below 2^49 stay apart
// (they differ by more than the rounding of either), equal ones stay equal
// and none changes its sign: the nearest axis plane is the same.
Vec3d GetFaceDirection(const CMapBrush& brush, int face) {
    const NormalPoints points = GetNormalPoints(brush, face);
    const Vec3d cross = CrossOf(points);
    return CrossIsExact(points) ? cross : Normalized(cross);
}

StandardTexture GetStandardTexture(const CMapBrush& brush, int face) {
    const BrushFace& f = brush.m_faces[face];
    StandardTexture texture{static_cast<double>(f.xOffset), static_cast<double>(f.yOffset),
                            f.rotation, Unzero(f.xScale), Unzero(f.yScale)};
    const std::string* kept = brush.m_keptText ? brush.m_keptText->FindTextureText(face) : nullptr;
    if (!kept)
        return texture;
    // "name xoff yoff rotation xscale yscale ..."
    class CQuiet : public CMapDiagnostics {
    public:
        void Report(int, int, std::string_view) override {}
    } quiet;
    CMapTokenizer tokens(*kept, quiet);
    double* numbers[5] = {&texture.xOffset, &texture.yOffset, &texture.rotation, &texture.xScale,
                          &texture.yScale};
    if (!tokens.GetToken(false))
        return texture;
    for (double* number : numbers) {
        if (!tokens.GetToken(false))
            break;
        *number = ParseDouble(tokens.Token());
    }
    texture.xScale = Unzero(texture.xScale);
    texture.yScale = Unzero(texture.yScale);
    return texture;
}

ValveAxes MakeValveAxes(const Vec3d& normal, const StandardTexture& texture) {
    BaseAxes base = ChooseBaseAxes(normal);
    double sine, cosine;
    SinCos(texture.rotation, sine, cosine);
    for (Vec3d* axis : {&base.x, &base.y}) {
        const double s = (*axis)[base.s], t = (*axis)[base.t];
        (*axis)[base.s] = cosine * s - sine * t;
        (*axis)[base.t] = sine * s + cosine * t;
    }
    ValveAxes axes;
    axes.u = Tidy(base.x);
    axes.v = Tidy(base.y);
    axes.uOffset = texture.xOffset;
    axes.vOffset = texture.yOffset;
    return axes;
}

TexelMapping GetTexelMapping(const CMapBrush& brush, int face) {
    if (brush.HasValveAxes()) {
        const BrushFace& f = brush.m_faces[face];
        return {brush.m_valveAxes[static_cast<size_t>(face)], Unzero(f.xScale), Unzero(f.yScale)};
    }
    const StandardTexture texture = GetStandardTexture(brush, face);
    return {MakeValveAxes(GetFaceNormal(brush, face), texture), texture.xScale, texture.yScale};
}

std::optional<StandardTexture> FindStandardTexture(const Vec3d& normal, const ValveAxes& axes,
                                                   double rotation, double xScale, double yScale) {
    const BaseAxes& base = ChooseBaseAxes(normal);
    const int w = 3 - base.s - base.t;
    const Vec3d u = axes.u * (1.0 / Unzero(xScale));
    const Vec3d v = axes.v * (1.0 / Unzero(yScale));
    const double lengthU = Length(u), lengthV = Length(v);
    if (lengthU == 0.0 || lengthV == 0.0 || std::fabs(u[w]) > kTolerance * lengthU ||
        std::fabs(v[w]) > kTolerance * lengthV)
        return std::nullopt;
    // In the plane of the two base components: u = (cos, sin) x[s] / xScale,
    // v = (-sin, cos) y[t] / yScale.
    const double xSign = base.x[base.s], ySign = base.y[base.t];
    // The second candidate costs an arc tangent: worked out only when the
    // face's own rotation does not fit.
    for (int candidate = 0; candidate < 2; ++candidate) {
        const double turn =
            candidate == 0 ? rotation : Degrees(u[base.t] * xSign, u[base.s] * xSign);
        double sine, cosine;
        SinCos(turn, sine, cosine);
        const double alongU = (u[base.s] * cosine + u[base.t] * sine) * xSign;
        const double acrossU = (u[base.t] * cosine - u[base.s] * sine) * xSign;
        const double alongV = (v[base.t] * cosine - v[base.s] * sine) * ySign;
        const double acrossV = (v[base.s] * cosine + v[base.t] * sine) * ySign;
        if (alongU == 0.0 || alongV == 0.0 || std::fabs(acrossU) > kTolerance * lengthU ||
            std::fabs(acrossV) > kTolerance * lengthV)
            continue;
        return StandardTexture{axes.uOffset, axes.vOffset, turn, 1.0 / alongU, 1.0 / alongV};
    }
    return std::nullopt;
}

StandardTexture NearestStandardTexture(const Vec3d& normal, const ValveAxes& axes, double xScale,
                                       double yScale) {
    const BaseAxes& base = ChooseBaseAxes(normal);
    const Vec3d u = axes.u * (1.0 / Unzero(xScale));
    const Vec3d v = axes.v * (1.0 / Unzero(yScale));
    const double xSign = base.x[base.s], ySign = base.y[base.t];
    StandardTexture texture{axes.uOffset, axes.vOffset, 0.0, 1.0, 1.0};
    if (u[base.s] != 0.0 || u[base.t] != 0.0)
        texture.rotation = Degrees(u[base.t] * xSign, u[base.s] * xSign);
    double sine, cosine;
    SinCos(texture.rotation, sine, cosine);
    const double alongU = (u[base.s] * cosine + u[base.t] * sine) * xSign;
    const double alongV = (v[base.t] * cosine - v[base.s] * sine) * ySign;
    texture.xScale = alongU != 0.0 ? 1.0 / alongU : 1.0;
    texture.yScale = alongV != 0.0 ? 1.0 / alongV : 1.0;
    return texture;
}

void TurnAxes(ValveAxes& axes, const Vec3d& normal, double degrees) {
    const BaseAxes& base = ChooseBaseAxes(normal);
    Vec3d s, t;
    s[base.s] = 1.0;
    t[base.t] = 1.0;
    // A standard rotation turns about s x t; take the normal that way round.
    const Vec3d turnAxis = Cross(s, t);
    const Vec3d k = Dot(normal, turnAxis) < 0.0 ? normal * -1.0 : normal;
    double sine, cosine;
    SinCos(degrees, sine, cosine);
    axes.u = Tidy(Turned(axes.u, k, sine, cosine));
    axes.v = Tidy(Turned(axes.v, k, sine, cosine));
}

double OffsetShiftOfMove(const Vec3d& axis, float scale, const IntPoint& delta) {
    return Dot(ToVec3d(delta), axis) / Unzero(scale);
}

void ShiftAxesWithMove(ValveAxes& axes, float xScale, float yScale, const IntPoint& delta) {
    axes.uOffset = Tidy(axes.uOffset - OffsetShiftOfMove(axes.u, xScale, delta));
    axes.vOffset = Tidy(axes.vOffset - OffsetShiftOfMove(axes.v, yScale, delta));
}
