#include "scene/CSceneCamera.h"

#include "framework/TextToNumber.h"
#include "map/MapLimits.h"
#include "map/TextureProjection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// A picture of no width or no height has no shape; it is drawn as 4:3 rather
// than with infinities in the matrix.
double UsableAspect(double aspect) {
    return std::isfinite(aspect) && aspect > 0.0 ? aspect : 4.0 / 3.0;
}

double WrappedYaw(double degrees) {
    double yaw = std::fmod(degrees, 360.0);
    if (yaw < 0.0)
        yaw += 360.0;
    // A hair below zero wraps to 360, and -0 would be written "-0".
    return yaw >= 360.0 ? 0.0 : yaw + 0.0;
}

} // namespace

void CSceneCamera::SetAngles(double yawDegrees, double pitchDegrees) {
    if (std::isfinite(yawDegrees))
        m_yaw = WrappedYaw(yawDegrees);
    if (std::isfinite(pitchDegrees))
        m_pitch = std::clamp(pitchDegrees, -kMaxPitch, kMaxPitch);
}

Vec3d CSceneCamera::Forward() const {
    const double yaw = m_yaw * kDegree, pitch = m_pitch * kDegree;
    return {std::cos(pitch) * std::cos(yaw), std::cos(pitch) * std::sin(yaw), std::sin(pitch)};
}

Vec3d CSceneCamera::Right() const {
    const double yaw = m_yaw * kDegree;
    return {std::sin(yaw), -std::cos(yaw), 0.0};
}

Vec3d CSceneCamera::Up() const {
    return Cross(Right(), Forward());
}

double CSceneCamera::VerticalFovDegrees() {
    return 2.0 * std::atan(kHalfHeightAtUnitDepth) / kDegree;
}

Matrix4 CSceneCamera::GetViewMatrix() const {
    return MakeLookAlong(m_position, Forward(), Up());
}

Matrix4 CSceneCamera::GetProjectionMatrix(double aspect) const {
    return MakePerspective(VerticalFovDegrees(), UsableAspect(aspect), kNearPlane, kFarPlane);
}

SceneRay CSceneCamera::MakeRay(double pixelX, double pixelY, int width, int height) const {
    const double w = std::max(width, 1), h = std::max(height, 1);
    // The pixel's centre in the picture's -1..1 square, y up.
    const double x = 2.0 * (pixelX + 0.5) / w - 1.0;
    const double y = 1.0 - 2.0 * (pixelY + 0.5) / h;
    const double across = x * kHalfHeightAtUnitDepth * (w / h);
    const double upward = y * kHalfHeightAtUnitDepth;
    const Vec3d direction = Forward() + Right() * across + Up() * upward;
    return {m_position, Normalized(direction)};
}

std::optional<ScenePixel> CSceneCamera::PixelOf(const Vec3d& point, int width, int height) const {
    const Vec3d offset = point - m_position;
    const double depth = Dot(offset, Forward());
    if (depth < kNearPlane)
        return std::nullopt;
    const double w = std::max(width, 1), h = std::max(height, 1);
    const double x = Dot(offset, Right()) / depth / (kHalfHeightAtUnitDepth * (w / h));
    const double y = Dot(offset, Up()) / depth / kHalfHeightAtUnitDepth;
    return ScenePixel{(x + 1.0) * w / 2.0 - 0.5, (1.0 - y) * h / 2.0 - 0.5};
}

std::optional<std::pair<ScenePixel, ScenePixel>>
CSceneCamera::SegmentPixels(Vec3d from, Vec3d to, int width, int height) const {
    const double depthFrom = Dot(from - m_position, Forward());
    const double depthTo = Dot(to - m_position, Forward());
    if (depthFrom < kNearPlane && depthTo < kNearPlane)
        return std::nullopt;
    // The end behind the eye moves along the segment to just past the near
    // plane, so that rounding cannot leave it behind.
    auto cut = [&](Vec3d& behind, double depthBehind, double depthOther, const Vec3d& other) {
        const double t = (kNearPlane * 1.001 - depthBehind) / (depthOther - depthBehind);
        behind = behind + (other - behind) * t;
    };
    if (depthFrom < kNearPlane)
        cut(from, depthFrom, depthTo, to);
    else if (depthTo < kNearPlane)
        cut(to, depthTo, depthFrom, from);
    const std::optional<ScenePixel> a = PixelOf(from, width, height);
    const std::optional<ScenePixel> b = PixelOf(to, width, height);
    if (!a || !b)
        return std::nullopt;
    return std::pair{*a, *b};
}

void CSceneCamera::Fly(double forward, double right, double up) {
    m_position = m_position + Forward() * forward + Right() * right + Vec3d{0.0, 0.0, up};
}

void CSceneCamera::Look(double yawDegrees, double pitchDegrees) {
    SetAngles(m_yaw + yawDegrees, m_pitch + pitchDegrees);
}

void CSceneCamera::Orbit(const Vec3d& centre, double yawDegrees, double pitchDegrees) {
    // Where the centre lies in the camera's own frame stays so.
    const Vec3d offset = m_position - centre;
    const double along = Dot(offset, Forward()), right = Dot(offset, Right()),
                 up = Dot(offset, Up());
    Look(yawDegrees, pitchDegrees);
    m_position = centre + Forward() * along + Right() * right + Up() * up;
}

void CSceneCamera::Pan(double right, double up) {
    m_position = m_position + Right() * right + Up() * up;
}

void CSceneCamera::Dolly(double distance) {
    m_position = m_position + Forward() * distance;
}

// The ball around the box fits the narrower of the two fields of view.
void CSceneCamera::Frame(const IntBox& box, double aspect) {
    const Vec3d min = ToVec3d(box.min), max = ToVec3d(box.max);
    const Vec3d centre = (min + max) * 0.5;
    const double radius = Length(max - min) * 0.5;
    const double halfHeight = std::atan(kHalfHeightAtUnitDepth);
    const double halfWidth = std::atan(kHalfHeightAtUnitDepth * UsableAspect(aspect));
    const double distance =
        std::max(radius / std::sin(std::min(halfHeight, halfWidth)), radius + 2.0 * kNearPlane);
    m_position = centre - Forward() * distance;
}

void CSceneCamera::SetSpeed(double unitsPerSecond) {
    if (!std::isnan(unitsPerSecond))
        m_speed = std::clamp(unitsPerSecond, kMinSpeed, kMaxSpeed);
}

double CSceneCamera::FlySpeed(bool faster, bool slower) const {
    double speed = m_speed;
    if (faster)
        speed *= 4.0;
    if (slower)
        speed /= 8.0;
    return speed;
}

std::string FormatCamera(const CSceneCamera& camera) {
    const Vec3d& p = camera.GetPosition();
    const double numbers[] = {p.x, p.y, p.z, camera.GetYaw(), camera.GetPitch()};
    std::string text;
    for (double number : numbers) {
        char digits[kShortestTextCapacity];
        if (!text.empty())
            text += ' ';
        // A position flown to by steps of a tenth reads as it was meant.
        text.append(digits, FormatShortest(Tidy(number) + 0.0, digits));
    }
    return text;
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

// The numbers of `text`, separated by white space; false past `count` of them
// or on anything that is not a finite decimal number.
bool ReadNumbers(std::string_view text, std::array<double, 5>& numbers) {
    size_t count = 0;
    size_t at = 0;
    while (true) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        if (at == text.size())
            return count == numbers.size();
        const size_t start = at;
        while (at < text.size() && !IsSpace(text[at]))
            ++at;
        const std::string word(text.substr(start, at - start));
        if (count == numbers.size() || word.find('\0') != std::string::npos ||
            !ParseWholeDouble(word.c_str(), numbers[count]) || !std::isfinite(numbers[count]))
            return false;
        ++count;
    }
}

} // namespace

std::optional<CSceneCamera> ParseCamera(std::string_view text) {
    std::array<double, 5> n{};
    if (!ReadNumbers(text, n))
        return std::nullopt;
    for (int axis = 0; axis < 3; ++axis) {
        if (std::abs(n[static_cast<size_t>(axis)]) > kWorldExtent)
            return std::nullopt;
    }
    if (std::abs(n[4]) > CSceneCamera::kMaxPitch)
        return std::nullopt;
    CSceneCamera camera;
    camera.SetPosition({n[0], n[1], n[2]});
    camera.SetAngles(n[3], n[4]);
    return camera;
}
