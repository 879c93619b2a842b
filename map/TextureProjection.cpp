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

int OnlyComponent(const Vec3d& axis) {
    return axis.x != 0.0 ? 0 : axis.y != 0.0 ? 1 : 2;
}

BaseAxes ChooseBaseAxes(const Vec3d& normal) {
    int best = 0;
    double bestDot = 0.0;
    for (int i = 0; i < 6; ++i) {
        const double dot = Dot(normal, kBaseAxes[3 * i]);
        if (dot > bestDot) {
            bestDot = dot;
            best = i;
        }
    }
    BaseAxes base{kBaseAxes[3 * best + 1], kBaseAxes[3 * best + 2]};
    base.s = OnlyComponent(base.x);
    base.t = OnlyComponent(base.y);
    return base;
}

// Sine and cosine of whole quarter turns exactly, as the compilers take them.
void SinCos(double degrees, double& sine, double& cosine) {
    double turn = std::fmod(degrees, 360.0);
    if (turn < 0.0)
        turn += 360.0;
    if (turn == 0.0 || turn == 90.0 || turn == 180.0 || turn == 270.0) {
        const int quarter = static_cast<int>(turn / 90.0);
        constexpr double kSines[4] = {0.0, 1.0, 0.0, -1.0};
        sine = kSines[quarter];
        cosine = kSines[(quarter + 1) % 4];
        return;
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
double Tidy(double value) {
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

} // namespace

Vec3d GetFaceNormal(const CMapBrush& brush, int face) {
    IntPoint points[3];
    // Plane points kept as text are not whole numbers; the corners lie on
    // that plane as near as whole numbers can.
    const bool fromText = brush.m_readPlanes && brush.m_readPlanes->FindPlaneText(face);
    if (fromText) {
        for (int k = 0; k < 3; ++k)
            points[k] = brush.m_vertices[brush.m_faces[face].vertexIndex[k]];
    } else {
        brush.GetPlanePoints(face, points);
    }
    const Vec3d p = ToVec3d(points[0]), q = ToVec3d(points[1]), r = ToVec3d(points[2]);
    return Normalized(Cross(p - q, r - q));
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
    const BaseAxes base = ChooseBaseAxes(normal);
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
    const double candidates[2] = {rotation, Degrees(u[base.t] * xSign, u[base.s] * xSign)};
    for (double turn : candidates) {
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
    const BaseAxes base = ChooseBaseAxes(normal);
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
    const BaseAxes base = ChooseBaseAxes(normal);
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

void ShiftAxesWithMove(ValveAxes& axes, float xScale, float yScale, const IntPoint& delta) {
    const Vec3d d = ToVec3d(delta);
    axes.uOffset = Tidy(axes.uOffset - Dot(d, axes.u) / Unzero(xScale));
    axes.vOffset = Tidy(axes.vOffset - Dot(d, axes.v) / Unzero(yScale));
}
