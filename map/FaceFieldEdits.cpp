#include "map/FaceFieldEdits.h"

#include "framework/TextToNumber.h"
#include "map/FaceTextureChange.h"
#include "map/TextureAlignment.h"

#include <cstring>

namespace {

std::string ShortestText(double number) {
    char digits[kShortestTextCapacity];
    return std::string(digits, FormatShortest(number, digits));
}

std::string NameOf(const BrushFace& face) {
    return std::string(face.texture, strnlen(face.texture, sizeof face.texture));
}

// The numbers of a face's fields but its texture name; the axes are zero on a
// face without them.
using FaceNumbers = std::array<double, kFaceFieldCount>;

FaceNumbers NumbersOf(const CMapBrush& brush, int face) {
    using enum FaceField;
    const BrushFace& f = brush.m_faces[face];
    FaceNumbers numbers{};
    auto at = [&](FaceField field) -> double& { return numbers[static_cast<size_t>(field)]; };
    at(kRotation) = f.rotation;
    at(kXScale) = f.xScale;
    at(kYScale) = f.yScale;
    if (!brush.HasValveAxes()) {
        at(kXOffset) = f.xOffset;
        at(kYOffset) = f.yOffset;
        return numbers;
    }
    const ValveAxes& axes = brush.m_valveAxes[static_cast<size_t>(face)];
    at(kXOffset) = axes.uOffset;
    at(kYOffset) = axes.vOffset;
    for (int k = 0; k < 3; ++k) {
        numbers[static_cast<size_t>(kUAxisX) + k] = axes.u[k];
        numbers[static_cast<size_t>(kVAxisX) + k] = axes.v[k];
    }
    return numbers;
}

// A number as its field shows it: rotation and scales as the dialog's boxes,
// offsets and axes exactly.
std::string FieldText(FaceField field, double number) {
    using enum FaceField;
    if (field == kRotation || field == kXScale || field == kYScale)
        return FormatFieldFloat(static_cast<float>(number));
    return ShortestText(number);
}

BrushFaceField DialogBoxOf(FaceField field) {
    using enum FaceField;
    switch (field) {
    case kXOffset:
        return BrushFaceField::kXOffset;
    case kYOffset:
        return BrushFaceField::kYOffset;
    case kRotation:
        return BrushFaceField::kRotation;
    case kXScale:
        return BrushFaceField::kXScale;
    default:
        return BrushFaceField::kYScale;
    }
}

bool SetTextureValue(CMapEdits& edits, const FaceOfBrush& ref, const FaceFieldValue& value) {
    using enum FaceField;
    FaceTexture texture = GetFaceTexture(*ref.brush, ref.face);
    FaceTextureChange change;
    switch (value.field) {
    case kTexture:
        if (NameOf(ref.brush->m_faces[ref.face]) == value.texture)
            return false;
        std::memset(texture.texture, 0, sizeof texture.texture);
        std::memcpy(texture.texture, value.texture.data(), value.texture.size());
        change.texture = true;
        break;
    case kXOffset:
        change.xOffset = texture.xOffset != value.number;
        texture.xOffset = value.number;
        break;
    case kYOffset:
        change.yOffset = texture.yOffset != value.number;
        texture.yOffset = value.number;
        break;
    case kRotation:
        change.rotation = texture.rotation != static_cast<float>(value.number);
        texture.rotation = static_cast<float>(value.number);
        break;
    case kXScale:
        change.xScale = texture.xScale != static_cast<float>(value.number);
        texture.xScale = static_cast<float>(value.number);
        break;
    default:
        change.yScale = texture.yScale != static_cast<float>(value.number);
        texture.yScale = static_cast<float>(value.number);
        break;
    }
    if (!change.Any())
        return false;
    edits.SetFaceTexture(*ref.brush, ref.face, texture, change);
    return true;
}

// One component of a Valve face's axis; the rotation stays, and so does the
// face's other text.
bool SetAxisValue(CMapEdits& edits, const FaceOfBrush& ref, const FaceFieldValue& value) {
    if (!ref.brush->HasValveAxes())
        return false;
    const ValveAxes& axes = ref.brush->m_valveAxes[static_cast<size_t>(ref.face)];
    AlignedFace aligned;
    aligned.texture = GetFaceTexture(*ref.brush, ref.face);
    aligned.setsAxes = true;
    aligned.u = axes.u;
    aligned.v = axes.v;
    const int index = static_cast<int>(value.field) - static_cast<int>(FaceField::kUAxisX);
    Vec3d& axis = index < 3 ? aligned.u : aligned.v;
    if (axis[index % 3] == value.number)
        return false;
    axis[index % 3] = value.number;
    edits.SetFaceAlignment(*ref.brush, ref.face, aligned);
    return true;
}

} // namespace

GatheredFaceFields GatherFaceFields(std::span<const FaceOfBrush> faces) {
    GatheredFaceFields gathered;
    gathered.faceCount = faces.size();
    if (faces.empty())
        return gathered;
    const FaceOfBrush& first = faces.front();
    const BrushFace& firstFace = first.brush->m_faces[first.face];
    const FaceNumbers firstNumbers = NumbersOf(*first.brush, first.face);
    bool sameName = true;
    std::array<bool, kFaceFieldCount> same;
    same.fill(true);
    gathered.valve = true;
    for (const FaceOfBrush& ref : faces) {
        gathered.valve = gathered.valve && ref.brush->HasValveAxes();
        sameName = sameName && std::strncmp(ref.brush->m_faces[ref.face].texture, firstFace.texture,
                                            sizeof firstFace.texture) == 0;
        const FaceNumbers numbers = NumbersOf(*ref.brush, ref.face);
        for (size_t i = 1; i < kFaceFieldCount; ++i)
            same[i] = same[i] && numbers[i] == firstNumbers[i];
    }
    if (sameName)
        gathered.texts[0] = NameOf(firstFace);
    for (size_t i = 1; i < kFaceFieldCount; ++i) {
        const auto field = static_cast<FaceField>(i);
        if (same[i] && (gathered.valve || !IsAxisField(field)))
            gathered.texts[i] = FieldText(field, firstNumbers[i]);
    }
    return gathered;
}

std::optional<std::string> CheckFaceField(FaceField field, const std::string& text,
                                          bool numberOffsets, FaceFieldValue& value) {
    value.field = field;
    if (field == FaceField::kTexture) {
        value.texture = CutTextureName(text);
        return std::nullopt;
    }
    if (IsAxisField(field))
        return CheckFieldNumber(text, value.number);
    BrushFaceValues values;
    const BrushFaceField box = DialogBoxOf(field);
    if (std::optional<std::string> problem = CheckBrushFaceBox(box, text, numberOffsets, values))
        return problem;
    switch (box) {
    case BrushFaceField::kXOffset:
        value.number = values.xOffset;
        break;
    case BrushFaceField::kYOffset:
        value.number = values.yOffset;
        break;
    case BrushFaceField::kRotation:
        value.number = values.rotation;
        break;
    case BrushFaceField::kXScale:
        value.number = values.xScale;
        break;
    default:
        value.number = values.yScale;
        break;
    }
    return std::nullopt;
}

size_t SetFaceField(CMapEdits& edits, std::span<const FaceOfBrush> faces,
                    const FaceFieldValue& value) {
    size_t changed = 0;
    for (const FaceOfBrush& ref : faces) {
        if (IsAxisField(value.field) ? SetAxisValue(edits, ref, value)
                                     : SetTextureValue(edits, ref, value))
            ++changed;
    }
    return changed;
}
