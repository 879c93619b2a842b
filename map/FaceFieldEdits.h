#pragma once

#include "map/CMapEdits.h"
#include "map/TextureAlignEdits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The face inspector's values, one field at a time: what a set of faces share
// and the change of one value on every face, each of the others staying as
// that face has it. The faces are those ListTexturedFaces gives.

enum class FaceField : uint8_t {
    kTexture,
    kXOffset, // a Valve face's along its U axis
    kYOffset, // a Valve face's along its V axis
    kRotation,
    kXScale,
    kYScale,
    kUAxisX,
    kUAxisY,
    kUAxisZ,
    kVAxisX,
    kVAxisY,
    kVAxisZ,
};
inline constexpr size_t kFaceFieldCount = 12;

inline bool IsAxisField(FaceField field) {
    return field >= FaceField::kUAxisX;
}

// What the faces share, as the field shows it: the text of a value every face
// has, nothing for one that differs between them (or a Valve axis when some
// face has none).
struct GatheredFaceFields {
    size_t faceCount = 0;
    // Every face is a Valve face: the offsets are any numbers, and the axes
    // are shown.
    bool valve = false;
    std::array<std::optional<std::string>, kFaceFieldCount> texts{};

    const std::optional<std::string>& operator[](FaceField field) const {
        return texts[static_cast<size_t>(field)];
    }
};
GatheredFaceFields GatherFaceFields(std::span<const FaceOfBrush> faces);

// Checks a field's text as the Brush & Face dialog checks its box; the message
// the user is shown when it is refused.
struct FaceFieldValue {
    FaceField field = FaceField::kTexture;
    std::string texture; // cut to what a face holds
    double number = 0.0;
};
std::optional<std::string> CheckFaceField(FaceField field, const std::string& text,
                                          bool numberOffsets, FaceFieldValue& value);

// Gives every face the value, by the rules of its form; a face that has it
// already is left alone. Returns how many faces changed.
size_t SetFaceField(CMapEdits& edits, std::span<const FaceOfBrush> faces,
                    const FaceFieldValue& value);
