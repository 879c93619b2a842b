#pragma once

#include "framework/FieldMessages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What the "Brush & Face Edit" dialog edits, as plain values. The boxes are
// texts in the order they are checked on OK; the dialog only moves these to
// and from its controls.

enum class BrushFaceField {
    kBaseSides,
    kXScale,
    kWidth,
    kXOffset,
    kRotation,
    kHeight,
    kYOffset,
    kYScale
};
inline constexpr size_t kBrushFaceFieldCount = 8;

// The three uses of the dialog.
enum class BrushFaceJob { kNewBrush, kEditBrush, kEditFace };

inline constexpr int kBoxShape = 0;
inline constexpr int kConeShape = 1;
// The range of the "Gamma Correction" slider and where it starts each time.
inline constexpr int kMaxPreviewBrightness = 63;
inline constexpr int kStartPreviewBrightness = 40;

struct BrushFaceFields {
    std::array<std::string, kBrushFaceFieldCount> text{};
    int shape = -1;
    std::string texture;
    int entityIndex = -1; // item of the entity list; 0 is "worldspawn"
    bool changeTexture = false;
    // The offsets are any numbers (Valve faces), not whole texels in 16 bits.
    bool numberOffsets = false;

    std::string& operator[](BrushFaceField field) { return text[static_cast<size_t>(field)]; }
    const std::string& operator[](BrushFaceField field) const {
        return text[static_cast<size_t>(field)];
    }
};

// Which texture values of the dialog the user changed: an edit of faces sets
// just these, and every other value of each face stays as it is.
struct FaceTextureChange {
    bool texture = false;
    bool xOffset = false;
    bool yOffset = false;
    bool rotation = false;
    bool xScale = false;
    bool yScale = false;

    bool Any() const { return texture || xOffset || yOffset || rotation || xScale || yScale; }
    bool Every() const { return texture && xOffset && yOffset && rotation && xScale && yScale; }
    static FaceTextureChange All() { return {true, true, true, true, true, true}; }
};

// The boxes whose text differs from what the dialog opened with; the texture
// is told apart by the dialog, which knows whether another one was chosen.
FaceTextureChange FindChangedBoxes(const BrushFaceFields& loaded, const BrushFaceFields& now);

// The boxes as numbers, once every one has passed.
struct BrushFaceValues {
    uint8_t baseSides = 0;
    float xScale = 0.0f;
    int16_t width = 0;
    double xOffset = 0.0;
    float rotation = 0.0f;
    int16_t height = 0;
    double yOffset = 0.0;
    float yScale = 0.0f;
};

struct BrushFaceProblem {
    BrushFaceField field;
    std::string message;
};

// Checks the boxes in order and stops at the first that fails, with the
// message the user is shown; otherwise fills `values`. Offsets must fit the
// 16 bits a standard face keeps rather than wrap into another value; those of
// a Valve face may be any number.
std::optional<BrushFaceProblem> ValidateBrushFaceFields(const BrushFaceFields& fields,
                                                        BrushFaceValues& values);
// Checks one box as the dialog does on OK, and sets its value in `values`
// when it passes; the message the user is shown when not.
std::optional<std::string> CheckBrushFaceBox(BrushFaceField field, const std::string& text,
                                             bool numberOffsets, BrushFaceValues& values);
// Any finite number, as the boxes of Valve offsets take it.
std::optional<std::string> CheckFieldNumber(const std::string& text, double& value);

// A float as the boxes show it: shortest general form, six significant digits.
std::string FormatFieldFloat(float value);

// A face keeps 15 characters of a texture name; a longer name from the texture
// file is cut. The notice to show, if the name is cut.
std::string CutTextureName(const std::string& name);
std::optional<std::string> DescribeCutTextureName(const std::string& name);

// The standard texts of the dialog's checks.
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterNumber = "Please enter a number.";
