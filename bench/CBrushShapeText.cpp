#include "bench/CBrushShapeText.h"

#include "framework/TextToNumber.h"
#include "map/TextureProjection.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Power series instead of the math library, whose last bits may differ between
// versions and would then move a rounded corner.
void UnitCircle(double angle, double& cosine, double& sine) {
    while (angle > kPi)
        angle -= 2.0 * kPi;
    while (angle < -kPi)
        angle += 2.0 * kPi;
    double square = angle * angle;
    double sineTerm = angle, cosineTerm = 1.0;
    sine = sineTerm;
    cosine = cosineTerm;
    for (int k = 1; k < 16; ++k) {
        sineTerm *= -square / ((2.0 * k) * (2.0 * k + 1.0));
        cosineTerm *= -square / ((2.0 * k - 1.0) * (2.0 * k));
        sine += sineTerm;
        cosine += cosineTerm;
    }
}

int32_t RoundToInt(double value) {
    return static_cast<int32_t>(std::floor(value + 0.5));
}

IntPoint At(GridPoint p, int32_t z) {
    return IntPoint(p.x, p.y, z);
}

int64_t Cross2(GridPoint origin, GridPoint a, GridPoint b) {
    return (int64_t{a.x} - origin.x) * (int64_t{b.y} - origin.y) -
           (int64_t{a.y} - origin.y) * (int64_t{b.x} - origin.x);
}

} // namespace

int GeneratedBrush::ExpectedVertices() const {
    switch (shape) {
    case BrushShape::kWedge:
        return 6;
    case BrushShape::kPrism:
        return 2 * sides;
    case BrushShape::kBox:
    case BrushShape::kRotatedSlab:
        break;
    }
    return 8;
}

int GeneratedBrush::ExpectedFaces() const {
    switch (shape) {
    case BrushShape::kWedge:
        return 5;
    case BrushShape::kPrism:
        return sides + 2;
    case BrushShape::kBox:
    case BrushShape::kRotatedSlab:
        break;
    }
    return 6;
}

void CBrushShapeText::BeginBrush(const IntPoint* corners, int count) {
    m_insideSum[0] = m_insideSum[1] = m_insideSum[2] = 0;
    for (int i = 0; i < count; ++i) {
        m_insideSum[0] += corners[i].x;
        m_insideSum[1] += corners[i].y;
        m_insideSum[2] += corners[i].z;
    }
    m_insideCount = count;
    m_out += "{\n";
}

void CBrushShapeText::AppendFace(IntPoint p, IntPoint q, IntPoint r, const LineTexture& texture) {
    const int64_t a[3] = {int64_t{p.x} - q.x, int64_t{p.y} - q.y, int64_t{p.z} - q.z};
    const int64_t b[3] = {int64_t{r.x} - q.x, int64_t{r.y} - q.y, int64_t{r.z} - q.z};
    const int64_t normal[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                               a[0] * b[1] - a[1] * b[0]};
    const int64_t toInside[3] = {m_insideSum[0] - m_insideCount * q.x,
                                 m_insideSum[1] - m_insideCount * q.y,
                                 m_insideSum[2] - m_insideCount * q.z};
    if (normal[0] * toInside[0] + normal[1] * toInside[1] + normal[2] * toInside[2] > 0)
        std::swap(p, r); // the normal must point away from the inside
    char points[120];
    const int length =
        std::snprintf(points, sizeof points, "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) ", p.x, p.y,
                      p.z, q.x, q.y, q.z, r.x, r.y, r.z);
    m_out.append(points, static_cast<size_t>(length));
    if (m_format == MapFormat::kValve)
        AppendValveTexture(p, q, r, texture);
    else
        AppendStandardTexture(texture);
}

void CBrushShapeText::AppendStandardTexture(const LineTexture& texture) {
    char part[120];
    const int length =
        std::snprintf(part, sizeof part, "%s %d %d %d %s %s\n", texture.name, texture.xOffset,
                      texture.yOffset, texture.rotation, texture.xScale, texture.yScale);
    m_out.append(part, static_cast<size_t>(length));
}

// The axes the standard numbers give the face's plane, each number in its
// shortest text, as the writer writes them; rotation and scales as given.
void CBrushShapeText::AppendValveTexture(const IntPoint& p, const IntPoint& q, const IntPoint& r,
                                         const LineTexture& texture) {
    const Vec3d normal = Normalized(Cross(ToVec3d(p) - ToVec3d(q), ToVec3d(r) - ToVec3d(q)));
    const StandardTexture numbers{static_cast<double>(texture.xOffset),
                                  static_cast<double>(texture.yOffset),
                                  static_cast<double>(texture.rotation),
                                  ParseDouble(texture.xScale), ParseDouble(texture.yScale)};
    const ValveAxes axes = MakeValveAxes(normal, numbers);
    const double halves[2][4] = {{axes.u.x, axes.u.y, axes.u.z, axes.uOffset},
                                 {axes.v.x, axes.v.y, axes.v.z, axes.vOffset}};
    m_out += texture.name;
    char digits[kShortestTextCapacity];
    for (const auto& half : halves) {
        m_out += " [";
        for (double number : half)
            m_out.append(" ").append(digits, FormatShortest(number, digits));
        m_out += " ]";
    }
    m_out.append(" ").append(std::to_string(texture.rotation));
    m_out.append(" ").append(texture.xScale).append(" ").append(texture.yScale).append("\n");
}

GeneratedBrush CBrushShapeText::AppendBox(const IntPoint& min, const IntPoint& max,
                                          const LineTexture& side, const LineTexture& cap) {
    const IntPoint corners[2] = {min, max};
    BeginBrush(corners, 2);
    AppendFace({min.x, min.y, max.z}, {min.x, min.y, min.z}, {min.x, max.y, min.z}, side);
    AppendFace({max.x, max.y, max.z}, {max.x, max.y, min.z}, {max.x, min.y, min.z}, side);
    AppendFace({max.x, min.y, max.z}, {max.x, min.y, min.z}, {min.x, min.y, min.z}, side);
    AppendFace({min.x, max.y, max.z}, {min.x, max.y, min.z}, {max.x, max.y, min.z}, side);
    AppendFace({min.x, max.y, min.z}, {min.x, min.y, min.z}, {max.x, min.y, min.z}, cap);
    AppendFace({min.x, min.y, max.z}, {min.x, max.y, max.z}, {max.x, max.y, max.z}, cap);
    EndBrush();
    return {BrushShape::kBox, 4};
}

GeneratedBrush CBrushShapeText::AppendWedge(const IntPoint& min, const IntPoint& max, int rise,
                                            const LineTexture& side, const LineTexture& cap) {
    const GridPoint footprint[4] = {{min.x, min.y}, {max.x, min.y}, {max.x, max.y}, {min.x, max.y}};
    const IntPoint low0 = At(footprint[(rise + 3) % 4], min.z);
    const IntPoint low1 = At(footprint[rise % 4], min.z);
    const IntPoint high0 = At(footprint[(rise + 1) % 4], min.z);
    const IntPoint high1 = At(footprint[(rise + 2) % 4], min.z);
    const IntPoint top0 = At(footprint[(rise + 1) % 4], max.z);
    const IntPoint top1 = At(footprint[(rise + 2) % 4], max.z);
    const IntPoint corners[6] = {low0, low1, high0, high1, top0, top1};
    BeginBrush(corners, 6);
    AppendFace(high0, high1, top1, side);
    AppendFace(low1, high0, top0, side);
    AppendFace(high1, low0, top1, side);
    AppendFace(low0, low1, high0, cap);
    AppendFace(low0, low1, top0, cap);
    EndBrush();
    return {BrushShape::kWedge, 3};
}

GeneratedBrush CBrushShapeText::AppendPrism(const std::vector<GridPoint>& polygon, int32_t bottom,
                                            int32_t top, const LineTexture& side,
                                            const LineTexture& cap) {
    std::vector<IntPoint> corners;
    for (const GridPoint& corner : polygon) {
        corners.push_back(At(corner, bottom));
        corners.push_back(At(corner, top));
    }
    BeginBrush(corners.data(), static_cast<int>(corners.size()));
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& next = polygon[(i + 1) % n];
        AppendFace(At(polygon[i], top), At(polygon[i], bottom), At(next, bottom), side);
    }
    AppendFace(At(polygon[0], top), At(polygon[1], top), At(polygon[2], top), cap);
    AppendFace(At(polygon[2], bottom), At(polygon[1], bottom), At(polygon[0], bottom), cap);
    EndBrush();
    return {BrushShape::kPrism, static_cast<int>(n)};
}

GeneratedBrush CBrushShapeText::AppendRotatedSlab(const IntPoint& center, GridPoint direction,
                                                  int32_t halfLength, int32_t halfWidth,
                                                  int32_t height, const LineTexture& side,
                                                  const LineTexture& cap) {
    const GridPoint d = direction, e{-direction.y, direction.x};
    const GridPoint normals[4] = {d, {-d.x, -d.y}, e, {-e.x, -e.y}};
    const int32_t distances[4] = {halfLength, halfLength, halfWidth, halfWidth};
    const double length = std::sqrt(double(d.x) * d.x + double(d.y) * d.y);
    // Each side plane passes through a rounded point at the wanted distance.
    GridPoint points[4];
    for (int i = 0; i < 4; ++i)
        points[i] = {RoundToInt(center.x + distances[i] * normals[i].x / length),
                     RoundToInt(center.y + distances[i] * normals[i].y / length)};
    MoveCornersOffIntegers(d, points);

    const int32_t top = center.z + height;
    BeginBrush(&center, 1);
    for (int i = 0; i < 4; ++i) {
        const GridPoint along = i < 2 ? e : d;
        const GridPoint next{points[i].x + 8 * along.x, points[i].y + 8 * along.y};
        AppendFace(At(points[i], top), At(points[i], center.z), At(next, center.z), side);
    }
    const IntPoint& c = center;
    AppendFace({c.x, c.y + 32, c.z}, c, {c.x + 32, c.y, c.z}, cap);
    AppendFace({c.x, c.y, top}, {c.x, c.y + 32, top}, {c.x + 32, c.y + 32, top}, cap);
    EndBrush();
    return {BrushShape::kRotatedSlab, 4};
}

// The side planes of a slab along d = (a, b) are d.x = k0, d.x = k1 through
// points[0..1] and e.x = k2, e.x = k3 through points[2..3], e = (-b, a). Their
// corner ((k a - j b) / L, (k b + j a) / L), L = a^2 + b^2, is an integer point
// exactly when L divides both numerators. Moving a plane's point one unit along
// x changes k by a, and the numerators by a^2 and a b, which L never divides,
// so nudging the planes of integer corners soon leaves none.
void CBrushShapeText::MoveCornersOffIntegers(GridPoint d, GridPoint (&points)[4]) {
    const int64_t a = d.x, b = d.y, lengthSquared = a * a + b * b;
    for (int attempt = 0; attempt < 16; ++attempt) {
        int integerCorner = -1;
        for (int corner = 0; corner < 4 && integerCorner < 0; ++corner) {
            const GridPoint& p = points[corner / 2];
            const GridPoint& q = points[2 + corner % 2];
            const int64_t k = a * p.x + b * p.y;
            const int64_t j = -b * q.x + a * q.y;
            if ((k * a - j * b) % lengthSquared == 0 && (k * b + j * a) % lengthSquared == 0)
                integerCorner = corner;
        }
        if (integerCorner < 0)
            return;
        // Alternate between the two planes of the corner so that no plane drifts far.
        GridPoint& moved =
            attempt % 2 == 0 ? points[integerCorner / 2] : points[2 + integerCorner % 2];
        moved.x += 1;
    }
}

bool CBrushShapeText::IsWellShaped(const std::vector<GridPoint>& polygon) {
    const size_t n = polygon.size();
    if (n < 3)
        return false;
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& a = polygon[i];
        const GridPoint& b = polygon[(i + 1) % n];
        const double edge = std::sqrt(double(int64_t{b.x} - a.x) * double(int64_t{b.x} - a.x) +
                                      double(int64_t{b.y} - a.y) * double(int64_t{b.y} - a.y));
        if (edge < 2.0)
            return false;
        for (size_t j = 0; j < n; ++j) {
            if (j != i && j != (i + 1) % n && Cross2(a, b, polygon[j]) < edge)
                return false; // closer than one unit to the edge's line, or outside it
        }
    }
    return true;
}

std::vector<GridPoint> CBrushShapeText::MakeRoundedPolygon(GridPoint center, int32_t radius,
                                                           int sides, int phaseDegrees) {
    std::vector<GridPoint> polygon;
    for (int attempt = 0; attempt < 64; ++attempt, radius += 8) {
        polygon.clear();
        for (int i = 0; i < sides; ++i) {
            double cosine, sine;
            UnitCircle(kPi * phaseDegrees / 180.0 + 2.0 * kPi * i / sides, cosine, sine);
            polygon.push_back(
                {center.x + RoundToInt(radius * cosine), center.y + RoundToInt(radius * sine)});
        }
        if (IsWellShaped(polygon))
            break;
    }
    return polygon;
}
