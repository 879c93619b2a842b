#pragma once

#include "map/IntBox.h"
#include "map/Vec3d.h"
#include "scene/Matrix4.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A half-line from the eye into the picture; the direction has unit length.
struct SceneRay {
    Vec3d origin;
    Vec3d direction;
};

// A place in the picture, in pixels from its top left, as MakeRay counts them.
struct ScenePixel {
    double x = 0.0;
    double y = 0.0;
};

// The eye of the camera view: where it stands, where it looks and how fast it
// flies. Yaw turns about the world's Z axis from +X toward +Y, in degrees, as
// the "angle" key of an entity counts; pitch looks up when positive and stops
// short of straight up or down, where yaw would lose its meaning.
class CSceneCamera {
public:
    static constexpr double kMaxPitch = 89.0;
    // A 4:3 picture shows 90 degrees across: tan(vertical / 2) = 3/4.
    static constexpr double kHalfHeightAtUnitDepth = 0.75;
    static constexpr double kNearPlane = 1.0;
    // Farther than the diagonal of the whole world, seen from its edge.
    static constexpr double kFarPlane = 262144.0;
    // Units per second: from a crawl along a ledge to across the world in
    // a few seconds.
    static constexpr double kMinSpeed = 0.5;
    static constexpr double kMaxSpeed = 16384.0;
    static constexpr double kDefaultSpeed = 512.0;

    const Vec3d& GetPosition() const { return m_position; }
    void SetPosition(const Vec3d& position) { m_position = position; }
    double GetYaw() const { return m_yaw; }
    double GetPitch() const { return m_pitch; }
    // Any yaw is taken and kept within 0..360; the pitch is held to kMaxPitch.
    void SetAngles(double yawDegrees, double pitchDegrees);

    Vec3d Forward() const;
    Vec3d Right() const;
    Vec3d Up() const;

    static double VerticalFovDegrees();
    Matrix4 GetViewMatrix() const;
    // `aspect`: the picture's width over its height.
    Matrix4 GetProjectionMatrix(double aspect) const;
    // The ray through the centre of a pixel of a picture of width x height,
    // pixel (0, 0) at the top left, as the two matrices draw it.
    SceneRay MakeRay(double pixelX, double pixelY, int width, int height) const;
    // Where a point shows in such a picture (the pixel whose ray meets it),
    // or nothing for a point not in front of the near plane.
    std::optional<ScenePixel> PixelOf(const Vec3d& point, int width, int height) const;
    // The part of the segment in front of the near plane, in pixels.
    std::optional<std::pair<ScenePixel, ScenePixel>> SegmentPixels(Vec3d from, Vec3d to, int width,
                                                                   int height) const;

    // Free flight: along the view, sideways, and straight up in the world.
    void Fly(double forward, double right, double up);
    void Look(double yawDegrees, double pitchDegrees);
    // Turns the camera about `centre` as Look turns it about the eye, so that
    // the centre stays where it is in the picture.
    void Orbit(const Vec3d& centre, double yawDegrees, double pitchDegrees);
    // Sideways and up in the picture's own directions.
    void Pan(double right, double up);
    void Dolly(double distance);
    // Looks at the middle of `box` along the current direction, from as near
    // as the whole box still fits a picture of that aspect.
    void Frame(const IntBox& box, double aspect);

    double GetSpeed() const { return m_speed; }
    // Held to kMinSpeed..kMaxSpeed; anything not a number keeps the old one.
    void SetSpeed(double unitsPerSecond);
    // The speed of this moment: four times faster with Shift, eight times
    // slower with Ctrl.
    double FlySpeed(bool faster, bool slower) const;

    friend bool operator==(const CSceneCamera&, const CSceneCamera&) = default;

private:
    Vec3d m_position;
    double m_yaw = 0.0;
    double m_pitch = 0.0;
    double m_speed = kDefaultSpeed;
};

// "X Y Z YAW PITCH", each number as short as it reads back.
std::string FormatCamera(const CSceneCamera& camera);
// The camera that text states; nothing for anything but five finite numbers
// separated by white space, a position beyond the world or a pitch past
// kMaxPitch.
std::optional<CSceneCamera> ParseCamera(std::string_view text);
