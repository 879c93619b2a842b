#include "map/TextureAlignment.h"

#include "framework/TextToNumber.h"
#include "map/FaceTextureChange.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The standard form's offsets are whole numbers of 16 bits.
constexpr double kLowestOffset = -32768.0;
constexpr double kHighestOffset = 32767.0;

constexpr const char* kUseValveForm =
    " Save the map in the Valve 220 form (File > Save As) to lay textures freely.";

double Unzero(double scale) {
    return scale == 0.0 ? 1.0 : scale;
}

bool SameNumber(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

StandardTexture StandardNumbersOf(const FaceAlignment& face) {
    return {face.axes.uOffset, face.axes.vOffset, face.rotation, face.xScale, face.yScale};
}

// A standard face's axes follow its numbers; the line it came from stays.
void DeriveStandardAxes(FaceAlignment& face) {
    const int line = face.axes.line;
    face.axes = MakeValveAxes(face.normal, StandardNumbersOf(face));
    face.axes.line = line;
}

struct Extent {
    double low = 0.0;
    double high = 0.0;
};

// How far the face reaches along a direction.
Extent ExtentAlong(const std::vector<Vec3d>& corners, const Vec3d& axis) {
    Extent extent{HUGE_VAL, -HUGE_VAL};
    for (const Vec3d& corner : corners) {
        extent.low = std::min(extent.low, Dot(corner, axis));
        extent.high = std::max(extent.high, Dot(corner, axis));
    }
    return extent;
}

// `v` turned about the unit axis `k` by the angle of this sine and cosine.
Vec3d Turned(const Vec3d& v, const Vec3d& k, double sine, double cosine) {
    return v * cosine + Cross(k, v) * sine + k * (Dot(k, v) * (1.0 - cosine));
}

// A line both faces have an edge on, overlapping over some length: a point of
// it and its unit direction.
struct Hinge {
    Vec3d point;
    Vec3d direction;
};

bool IsOnLine(const Vec3d& p, const Vec3d& a, const Vec3d& along) {
    return Cross(along, p - a) == Vec3d{};
}

// Corners are whole numbers, so that lying on a line is decided exactly.
std::optional<Hinge> FindSharedEdge(const std::vector<Vec3d>& target,
                                    const std::vector<Vec3d>& source) {
    for (size_t i = 0; i < target.size(); ++i) {
        const Vec3d& a = target[i];
        const Vec3d along = target[(i + 1) % target.size()] - a;
        const double length = Dot(along, along);
        for (size_t j = 0; j < source.size(); ++j) {
            const Vec3d& c = source[j];
            const Vec3d& d = source[(j + 1) % source.size()];
            if (length == 0.0 || !IsOnLine(c, a, along) || !IsOnLine(d, a, along))
                continue;
            const double tc = Dot(c - a, along), td = Dot(d - a, along);
            if (std::min(std::max(tc, td), length) > std::max(std::min(tc, td), 0.0))
                return Hinge{a, Normalized(along)};
        }
    }
    return std::nullopt;
}

// The target's axes are the source's turned about the hinge by the turn that
// takes the source's plane to the target's; the offsets keep each texel of
// the hinge where it is.
void WrapAxes(FaceAlignment& target, const FaceAlignment& source, const Hinge& hinge) {
    const double sine = Dot(Cross(source.normal, target.normal), hinge.direction);
    const double cosine = Dot(source.normal, target.normal);
    ValveAxes& axes = target.axes;
    axes.u = Tidy(Turned(source.axes.u, hinge.direction, sine, cosine));
    axes.v = Tidy(Turned(source.axes.v, hinge.direction, sine, cosine));
    const Vec3d& p = hinge.point;
    axes.uOffset =
        Tidy(source.axes.uOffset + (Dot(p, source.axes.u) - Dot(p, axes.u)) / source.xScale);
    axes.vOffset =
        Tidy(source.axes.vOffset + (Dot(p, source.axes.v) - Dot(p, axes.v)) / source.yScale);
}

bool FacesSameWay(const FaceAlignment& a, const FaceAlignment& b) {
    return Dot(a.normal, b.normal) > 1.0 - 1e-12;
}

std::optional<std::string> CheckStandardOffset(double offset) {
    if (offset == std::trunc(offset) && offset >= kLowestOffset && offset <= kHighestOffset)
        return std::nullopt;
    char digits[kShortestTextCapacity];
    const std::string text(digits, FormatShortest(offset, digits));
    return "This needs a texture offset of " + text +
           ", and the standard map form holds whole offsets from -32768 to 32767 only." +
           kUseValveForm;
}

void CopyName(const std::string& name, FaceTexture& texture) {
    const std::string kept = CutTextureName(name);
    std::memcpy(texture.texture, kept.data(), kept.size());
}

} // namespace

FaceAlignment ReadFaceAlignment(const CMapBrush& brush, int face, MapFormat format) {
    const BrushFace& f = brush.m_faces[face];
    FaceAlignment read;
    read.texture.assign(f.texture, strnlen(f.texture, sizeof f.texture));
    read.normal = GetFaceNormal(brush, face);
    for (int k = 0; k < f.numPoints; ++k)
        read.corners.push_back(ToVec3d(brush.m_vertices[f.vertexIndex[k]]));
    if (brush.HasValveAxes()) {
        read.valve = true;
        read.axes = brush.m_valveAxes[static_cast<size_t>(face)];
        read.rotation = f.rotation;
        read.xScale = Unzero(f.xScale);
        read.yScale = Unzero(f.yScale);
        return read;
    }
    const StandardTexture numbers = GetStandardTexture(brush, face);
    read.valve = format == MapFormat::kValve;
    read.axes = MakeValveAxes(read.normal, numbers);
    read.rotation = numbers.rotation;
    read.xScale = numbers.xScale;
    read.yScale = numbers.yScale;
    return read;
}

void ShiftTexture(FaceAlignment& face, double s, double t) {
    face.axes.uOffset = Tidy(face.axes.uOffset + s);
    face.axes.vOffset = Tidy(face.axes.vOffset + t);
}

void RotateTexture(FaceAlignment& face, double degrees) {
    face.rotation = Tidy(face.rotation + degrees);
    if (face.valve)
        TurnAxes(face.axes, face.normal, degrees);
    else
        DeriveStandardAxes(face);
}

std::optional<std::string> ScaleTexture(FaceAlignment& face, double step) {
    const double x = Tidy(std::fabs(face.xScale) + step);
    const double y = Tidy(std::fabs(face.yScale) + step);
    if (x <= 0.0 || y <= 0.0 || NearestFloat(x) == 0.0f || NearestFloat(y) == 0.0f)
        return "The texture's scale is as small as this step takes it.";
    face.xScale = std::copysign(x, face.xScale);
    face.yScale = std::copysign(y, face.yScale);
    if (!face.valve)
        DeriveStandardAxes(face);
    return std::nullopt;
}

void FlipTexture(FaceAlignment& face, bool horizontally) {
    double& scale = horizontally ? face.xScale : face.yScale;
    double& offset = horizontally ? face.axes.uOffset : face.axes.vOffset;
    const Extent extent = ExtentAlong(face.corners, horizontally ? face.axes.u : face.axes.v);
    // The texel at the middle m stays: -m / -scale + offset' = m / scale + offset.
    double shift = (extent.low + extent.high) / scale;
    if (!face.valve)
        shift = std::nearbyint(shift);
    offset = Tidy(offset + shift);
    scale = -scale;
    if (!face.valve)
        DeriveStandardAxes(face);
}

std::optional<std::string> FitTexture(FaceAlignment& face, double width, double height) {
    const Extent across = ExtentAlong(face.corners, face.axes.u);
    const Extent down = ExtentAlong(face.corners, face.axes.v);
    if (across.high - across.low < 1e-6 || down.high - down.low < 1e-6)
        return "The face has no extent along the texture's axes to fit the texture to.";
    auto fit = [&face](const Extent& extent, double size, double& scale, double& offset) {
        const double exact = std::copysign((extent.high - extent.low) / size, scale);
        scale = NearestFloat(exact);
        // A Valve offset goes with the scale the face's field holds, to the
        // last place; a standard one is whole or nothing, and comes from the
        // scale as it should be, which the field holds to a float's width.
        const double edge = exact > 0.0 ? extent.low : extent.high;
        // The texture repeats: a whole texture's width less is the same.
        offset = Tidy(std::fmod(-edge / (face.valve ? scale : exact), size));
    };
    fit(across, width, face.xScale, face.axes.uOffset);
    fit(down, height, face.yScale, face.axes.vOffset);
    if (!face.valve)
        DeriveStandardAxes(face);
    return std::nullopt;
}

void ResetTexture(FaceAlignment& face) {
    face.rotation = 0.0;
    face.xScale = 1.0;
    face.yScale = 1.0;
    face.axes.uOffset = 0.0;
    face.axes.vOffset = 0.0;
    DeriveStandardAxes(face);
}

std::optional<std::string> AlignTextureToEdge(FaceAlignment& face) {
    if (!face.valve)
        return std::string("Aligning a texture to an edge turns its axes off the face's axis "
                           "plane, which the standard map form cannot hold.") +
               kUseValveForm;
    const size_t count = face.corners.size();
    size_t longest = 0;
    double longestLength = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const Vec3d edge = face.corners[(i + 1) % count] - face.corners[i];
        if (Dot(edge, edge) > longestLength) {
            longestLength = Dot(edge, edge);
            longest = i;
        }
    }
    if (longestLength == 0.0)
        return "The face has no edge to align the texture to.";
    Vec3d start = face.corners[longest];
    Vec3d along = Normalized(face.corners[(longest + 1) % count] - start);
    if (Dot(along, face.axes.u) < 0.0) {
        start = face.corners[(longest + 1) % count];
        along = along * -1.0;
    }
    const bool mirrored = Dot(Cross(face.axes.u, face.axes.v), face.normal) < 0.0;
    const Vec3d across = Normalized(Cross(face.normal, along)) * (mirrored ? -1.0 : 1.0);
    face.axes.u = Tidy(along);
    face.axes.v = Tidy(across);
    face.axes.uOffset = Tidy(-Dot(start, face.axes.u) / face.xScale);
    face.axes.vOffset = Tidy(-Dot(start, face.axes.v) / face.yScale);
    return std::nullopt;
}

void PasteTexture(FaceAlignment& target, const FaceAlignment& source) {
    target.texture = source.texture;
    target.rotation = source.rotation;
    target.xScale = source.xScale;
    target.yScale = source.yScale;
    if (target.valve && FacesSameWay(target, source)) {
        // Parallel planes: the texture goes on as if the target were in the
        // source's plane.
        const int line = target.axes.line;
        target.axes = source.axes;
        target.axes.line = line;
        return;
    }
    if (target.valve) {
        if (const std::optional<Hinge> hinge = FindSharedEdge(target.corners, source.corners)) {
            WrapAxes(target, source, *hinge);
            return;
        }
    }
    target.axes.uOffset = source.axes.uOffset;
    target.axes.vOffset = source.axes.vOffset;
    DeriveStandardAxes(target);
}

std::optional<std::string> WriteFaceAlignment(const FaceAlignment& before,
                                              const FaceAlignment& after, AlignedFace& aligned) {
    aligned = AlignedFace();
    FaceTexture& texture = aligned.texture;
    CopyName(after.texture, texture);
    texture.xOffset = after.axes.uOffset;
    texture.yOffset = after.axes.vOffset;
    texture.rotation = NearestFloat(after.rotation);
    texture.xScale = NearestFloat(after.xScale);
    texture.yScale = NearestFloat(after.yScale);
    FaceTextureChange& change = aligned.change;
    change.texture = after.texture != before.texture;
    change.xOffset = !SameNumber(after.axes.uOffset, before.axes.uOffset);
    change.yOffset = !SameNumber(after.axes.vOffset, before.axes.vOffset);
    change.rotation = !SameNumber(after.rotation, before.rotation);
    change.xScale = !SameNumber(after.xScale, before.xScale);
    change.yScale = !SameNumber(after.yScale, before.yScale);
    // An offset that stays keeps its text, whole or not.
    for (const auto& [changed, offset] :
         {std::pair{change.xOffset, texture.xOffset}, std::pair{change.yOffset, texture.yOffset}}) {
        if (changed && !after.valve) {
            if (std::optional<std::string> refusal = CheckStandardOffset(offset))
                return refusal;
        }
    }
    // A Valve face's rotation only names how its axes were turned; they are
    // set as they are, or a change of the number would turn them again.
    if (after.valve &&
        (change.rotation || after.axes.u != before.axes.u || after.axes.v != before.axes.v)) {
        aligned.setsAxes = true;
        aligned.u = after.axes.u;
        aligned.v = after.axes.v;
    }
    return std::nullopt;
}

void ApplyAlignedFace(CMapBrush& brush, int face, const AlignedFace& aligned) {
    FaceTextureChange change = aligned.change;
    if (aligned.setsAxes && brush.HasValveAxes()) {
        ValveAxes& axes = brush.m_valveAxes[static_cast<size_t>(face)];
        axes.u = aligned.u;
        axes.v = aligned.v;
        brush.m_faces[face].rotation = aligned.texture.rotation;
        change.rotation = true; // a text the face was read with states the axes anew
    }
    ApplyFaceTextureChange(brush, face, aligned.texture, change);
}
