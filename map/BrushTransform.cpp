#include "map/BrushTransform.h"

#include "framework/TextToNumber.h"
#include "map/BrushClip.h"
#include "map/BrushDef.h"
#include "map/BrushGeometry.h"
#include "map/TextureLock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

// A computed plane point within this of a whole number is that number: what
// a quarter turn or a scale to whole sizes gives, but for rounding noise.
constexpr double kWholeEpsilon = 1e-6;
// Plane points stay within 32 bits, as the reader takes them.
constexpr double kPointLimit = 2147483648.0;
// Below this a transform flattens space: nothing it makes has volume.
constexpr double kFlatDeterminant = 1e-12;

// Quarter turns are exact, so that whole numbers stay whole.
void TurnCosineSine(double degrees, double& cosine, double& sine) {
    const double turn = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
    if (turn == std::trunc(turn) && static_cast<int>(turn) % 90 == 0) {
        static constexpr double kCosines[4] = {1.0, 0.0, -1.0, 0.0};
        static constexpr double kSines[4] = {0.0, 1.0, 0.0, -1.0};
        const int quarter = (static_cast<int>(turn) / 90 % 4 + 4) % 4;
        cosine = kCosines[quarter];
        sine = kSines[quarter];
        return;
    }
    const double radians = turn * std::numbers::pi / 180.0;
    cosine = std::cos(radians);
    sine = std::sin(radians);
}

// The turn about the axis, each column j multiplied by factors[j].
Matrix3 TurnTimes(const BrushTransform& transform, const Vec3d& factors) {
    double c = 1.0, s = 0.0;
    TurnCosineSine(transform.turnDegrees, c, s);
    const Vec3d k = Normalized(transform.turnAxis);
    const double t = 1.0 - c;
    const Matrix3 turn{{{c + t * k.x * k.x, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y},
                        {t * k.y * k.x + s * k.z, c + t * k.y * k.y, t * k.y * k.z - s * k.x},
                        {t * k.z * k.x - s * k.y, t * k.z * k.y + s * k.x, c + t * k.z * k.z}}};
    Matrix3 product;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            product.rows[row][column] = turn.rows[row][column] * factors[column];
    }
    return product;
}

double SnapToWhole(double value) {
    const double whole = std::nearbyint(value);
    return std::fabs(value - whole) <= kWholeEpsilon ? whole + 0.0 : value + 0.0;
}

// "( x y z ) ( x y z ) ( x y z )" as the reader keeps it: numbers it can
// read with their decimals, others by the atoi rule, as it reads them.
bool ParsePlaneText(const std::string& text, Vec3d (&points)[3]) {
    constexpr const char* kSeparators = "() \t\r\n";
    int count = 0;
    size_t at = text.find_first_not_of(kSeparators);
    while (at != std::string::npos) {
        const size_t end = std::min(text.find_first_of(kSeparators, at), text.size());
        if (count == 9)
            return false;
        const std::string token = text.substr(at, end - at);
        double value = 0.0;
        if (!ParseWholeDouble(token.c_str(), value) || !(std::fabs(value) < kPointLimit))
            value = ParseInt(token.c_str());
        points[count / 3][count % 3] = value;
        ++count;
        at = text.find_first_not_of(kSeparators, end);
    }
    return count == 9;
}

// The points the face's plane goes through exactly: as read, decimals and
// all, while the brush is untouched; else its corners.
void GetExactPlanePoints(const CMapBrush& brush, int face, Vec3d (&points)[3]) {
    if (brush.m_readPlanes) {
        const std::string* text = brush.m_readPlanes->FindPlaneText(face);
        if (text && ParsePlaneText(*text, points))
            return;
    }
    IntPoint whole[3];
    brush.GetPlanePoints(face, whole, false);
    for (int k = 0; k < 3; ++k)
        points[k] = ToVec3d(whole[k]);
}

Vec3d PlaneNormal(const Vec3d (&points)[3]) {
    return Cross(points[0] - points[1], points[2] - points[1]);
}

// Gives `def` the plane through the points: whole points when they all are
// whole numbers, else the points with their decimals and, in `text`, the way
// they are written (the reader takes the atoi of each for its whole points).
// False when a point lies beyond what a plane point can be.
bool StatePlane(Vec3d (&points)[3], FaceDef& def, std::string& text) {
    bool whole = true;
    for (Vec3d& point : points) {
        for (int axis = 0; axis < 3; ++axis) {
            point[axis] = SnapToWhole(point[axis]);
            if (!(std::fabs(point[axis]) < kPointLimit))
                return false;
            whole = whole && point[axis] == std::trunc(point[axis]);
        }
    }
    text.clear();
    char digits[kShortestTextCapacity];
    for (int k = 0; k < 3; ++k) {
        text += k == 0 ? "( " : " ( ";
        for (int axis = 0; axis < 3; ++axis) {
            const size_t length = FormatShortest(points[k][axis], digits);
            text.append(digits, length).append(" ");
            digits[length] = '\0';
            const int32_t atoi = ParseInt(digits);
            int32_t IntPoint::*const coordinates[3] = {&IntPoint::x, &IntPoint::y, &IntPoint::z};
            def.points[k].*coordinates[axis] = atoi;
        }
        text += ")";
        def.exactPoints[k] = points[k];
    }
    def.hasFractionalPoints = !whole;
    if (whole)
        text.clear();
    return true;
}

void CopyTexture(FaceDef& def, const BrushFace& face) {
    std::memcpy(def.texture, face.texture, sizeof def.texture);
    def.xOffset = face.xOffset;
    def.yOffset = face.yOffset;
    def.rotation = face.rotation;
    def.xScale = face.xScale;
    def.yScale = face.yScale;
}

// What the brush keeps beyond its fields goes to the faces built from its
// faces; faces left with no polygon go, as their planes bound nothing now.
void CarryKept(const CMapBrush& brush, CMapBrush& transformed, const int* built,
               const std::string* planeTexts) {
    if (transformed.m_readPlanes)
        transformed.m_readPlanes->hidden.clear();
    if (brush.HasValveAxes())
        transformed.m_valveAxes.assign(transformed.m_numFaces, ValveAxes());
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const int to = built[f];
        if (to < 0)
            continue;
        if (!planeTexts[f].empty()) {
            if (!transformed.m_readPlanes)
                transformed.m_readPlanes = std::make_unique<ReadPlanePoints>();
            transformed.m_readPlanes->planeTexts.push_back({to, planeTexts[f]});
        }
        if (brush.HasValveAxes())
            transformed.m_valveAxes[static_cast<size_t>(to)] = brush.m_valveAxes[f];
        if (const std::string* text =
                brush.m_keptText ? brush.m_keptText->FindTextureText(f) : nullptr)
            transformed.KeepTextureText(to, *text);
    }
    const ReadPlanePoints* read = transformed.m_readPlanes.get();
    if (read && read->points.empty() && read->planeTexts.empty() && read->hidden.empty())
        transformed.m_readPlanes.reset();
}

} // namespace

Matrix3 BrushTransform::Linear() const {
    return TurnTimes(*this, scale);
}

Matrix3 BrushTransform::AxesMap() const {
    // (turn * scale)^-T = turn^-T * scale^-T = turn * scale^-1.
    return TurnTimes(*this, {1.0 / scale.x, 1.0 / scale.y, 1.0 / scale.z});
}

Vec3d BrushTransform::Apply(const Vec3d& point) const {
    return centre + Linear() * (point - centre) + move;
}

TransformProblem TransformBrush(const CMapBrush& brush, const BrushTransform& transform, bool lock,
                                CMapBrush& transformed) {
    transformed = CMapBrush();
    if (!brush.IsHeld() || brush.m_numVertices == 0)
        return TransformProblem::kNotHeld;
    const Matrix3 linear = transform.Linear();
    if (!(std::fabs(linear.Determinant()) > kFlatDeterminant))
        return TransformProblem::kNoVolume;
    const bool mirrors = transform.Mirrors();
    BrushDef def;
    def.numFaces = brush.m_numFaces;
    std::string planeTexts[kMaxBrushFaces];
    CarriedFace normals[kMaxBrushFaces];
    for (int f = 0; f < brush.m_numFaces; ++f) {
        Vec3d points[3];
        GetExactPlanePoints(brush, f, points);
        // A mirror turns the face inside out unless its points run the other way.
        Vec3d moved[3] = {transform.Apply(points[0]), transform.Apply(points[mirrors ? 2 : 1]),
                          transform.Apply(points[mirrors ? 1 : 2])};
        if (!StatePlane(moved, def.faces[f], planeTexts[f]))
            return TransformProblem::kBeyondWorld;
        CopyTexture(def.faces[f], brush.m_faces[f]);
        normals[f] = {PlaneNormal(points), PlaneNormal(moved)};
    }
    int built[kMaxBrushFaces];
    if (!BuildBrush(
            transformed, def, [](std::string_view) {}, built))
        return TransformProblem::kTooManyCorners;
    if (transformed.m_numFaces < 4 || BrushVolume(transformed) <= 0.0)
        return TransformProblem::kNoVolume;
    if (!IsClosedBrush(transformed))
        return TransformProblem::kOpen;
    if (ReachesBeyondWorld(transformed))
        return TransformProblem::kBeyondWorld;
    CarryKept(brush, transformed, built, planeTexts);
    std::vector<CarriedFace> carried(transformed.m_numFaces);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        if (built[f] >= 0)
            carried[static_cast<size_t>(built[f])] = normals[f];
    }
    const AxesCarry carry{transform.AxesMap(), transform.centre, transform.centre + transform.move};
    TransformTexturesWithBrush(transformed, carried, carry, lock);
    return TransformProblem::kNone;
}

bool KeepsDecimalPlanePoints(const CMapBrush& brush) {
    return brush.m_readPlanes && !brush.m_readPlanes->planeTexts.empty();
}

const char* DescribeTransformProblem(TransformProblem problem) {
    switch (problem) {
    case TransformProblem::kNone:
        break;
    case TransformProblem::kNoVolume:
        return "would have no volume";
    case TransformProblem::kTooManyCorners:
        return "would have more corners than a brush can hold";
    case TransformProblem::kOpen:
        return "would not be closed";
    case TransformProblem::kBeyondWorld:
        return "would reach beyond the world";
    case TransformProblem::kNotHeld:
        return "is kept as text and cannot be transformed";
    }
    return "";
}

IntPoint TransformOrigin(const IntPoint& origin, const BrushTransform& transform) {
    const Vec3d moved = transform.Apply(ToVec3d(origin));
    int32_t coordinates[3];
    for (int axis = 0; axis < 3; ++axis) {
        const double rounded = std::clamp(RoundHalfUp(moved[axis]), -2147483648.0, 2147483647.0);
        coordinates[axis] = std::isnan(rounded) ? 0 : static_cast<int32_t>(rounded);
    }
    return {coordinates[0], coordinates[1], coordinates[2]};
}

int32_t TransformYaw(int32_t yaw, const BrushTransform& transform) {
    if (yaw == -1 || yaw == -2)
        return yaw;
    const Matrix3 linear = transform.Linear();
    // Seen from above the yaw runs from x toward y: it turns only as long as
    // up stays up and the floor stays flat.
    constexpr double kTilt = 1e-9;
    const Vec3d up = linear.Column(2);
    if (std::fabs(up.x) > kTilt || std::fabs(up.y) > kTilt || std::fabs(linear.rows[2].x) > kTilt ||
        std::fabs(linear.rows[2].y) > kTilt)
        return yaw;
    const double radians = yaw * std::numbers::pi / 180.0;
    const Vec3d facing = linear * Vec3d{std::cos(radians), std::sin(radians), 0.0};
    const double degrees = std::atan2(facing.y, facing.x) * 180.0 / std::numbers::pi;
    const int32_t turned = static_cast<int32_t>(std::lround(degrees)) % 360;
    return turned < 0 ? turned + 360 : turned;
}
