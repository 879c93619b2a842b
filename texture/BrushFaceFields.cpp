#include "texture/BrushFaceFields.h"

#include "framework/TextToNumber.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr size_t kKeptNameLength = 15;

struct IntegerRange {
    int low;
    int high;
};

// The whole text, blanks around it allowed, is an optional sign and digits.
// Values too long for 64 bits count as beyond every range.
bool ParseFieldInteger(const std::string& text, int64_t& value) {
    size_t at = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (at == std::string::npos)
        return false;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-')
        negative = text[at++] == '-';
    if (at > end)
        return false;
    int64_t magnitude = 0;
    for (size_t i = at; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        if (magnitude < (int64_t{1} << 40))
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool ParseFieldNumber(const std::string& text, double& value) {
    size_t at = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    return at != std::string::npos &&
           ParseWholeDouble(text.substr(at, end - at + 1).c_str(), value) && std::isfinite(value);
}

bool ParseFieldFloat(const std::string& text, float& value) {
    double parsed = 0.0;
    if (!ParseFieldNumber(text, parsed))
        return false;
    if (parsed > std::numeric_limits<float>::max() || parsed < -std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(parsed);
    return true;
}

std::optional<std::string> CheckInteger(const std::string& text, IntegerRange range,
                                        int64_t& value) {
    if (!ParseFieldInteger(text, value))
        return kEnterInteger;
    if (value < range.low || value > range.high)
        return DescribeIntegerRange(range.low, range.high);
    return std::nullopt;
}

std::optional<std::string> CheckFloat(const std::string& text, float& value) {
    if (!ParseFieldFloat(text, value))
        return kEnterNumber;
    return std::nullopt;
}

std::optional<std::string> CheckNumber(const std::string& text, double& value) {
    if (!ParseFieldNumber(text, value))
        return kEnterNumber;
    return std::nullopt;
}

constexpr IntegerRange kSidesRange{3, 64};
constexpr IntegerRange kSizeRange{1, 25000};
constexpr IntegerRange kOffsetRange{std::numeric_limits<int16_t>::min(),
                                    std::numeric_limits<int16_t>::max()};

} // namespace

std::optional<std::string> CheckBrushFaceBox(BrushFaceField field, const std::string& text,
                                             bool numberOffsets, BrushFaceValues& values) {
    using enum BrushFaceField;
    int64_t whole = 0;
    std::optional<std::string> problem;
    switch (field) {
    case kBaseSides:
        if ((problem = CheckInteger(text, kSidesRange, whole)))
            return problem;
        values.baseSides = static_cast<uint8_t>(whole);
        break;
    case kWidth:
    case kHeight:
        if ((problem = CheckInteger(text, kSizeRange, whole)))
            return problem;
        (field == kWidth ? values.width : values.height) = static_cast<int16_t>(whole);
        break;
    case kXOffset:
    case kYOffset: {
        double& offset = field == kXOffset ? values.xOffset : values.yOffset;
        if (numberOffsets)
            return CheckNumber(text, offset);
        if ((problem = CheckInteger(text, kOffsetRange, whole)))
            return problem;
        offset = static_cast<double>(whole);
        break;
    }
    case kXScale:
        return CheckFloat(text, values.xScale);
    case kYScale:
        return CheckFloat(text, values.yScale);
    case kRotation:
        return CheckFloat(text, values.rotation);
    }
    return std::nullopt;
}

std::optional<std::string> CheckFieldNumber(const std::string& text, double& value) {
    return CheckNumber(text, value);
}

std::optional<BrushFaceProblem> ValidateBrushFaceFields(const BrushFaceFields& fields,
                                                        BrushFaceValues& values) {
    BrushFaceValues checked;
    // The boxes are listed in the order they are checked.
    for (size_t i = 0; i < kBrushFaceFieldCount; ++i) {
        const auto field = static_cast<BrushFaceField>(i);
        if (std::optional<std::string> message =
                CheckBrushFaceBox(field, fields[field], fields.numberOffsets, checked))
            return BrushFaceProblem{field, *message};
    }
    values = checked;
    return std::nullopt;
}

FaceTextureChange FindChangedBoxes(const BrushFaceFields& loaded, const BrushFaceFields& now) {
    using enum BrushFaceField;
    FaceTextureChange change;
    change.xOffset = loaded[kXOffset] != now[kXOffset];
    change.yOffset = loaded[kYOffset] != now[kYOffset];
    change.rotation = loaded[kRotation] != now[kRotation];
    change.xScale = loaded[kXScale] != now[kXScale];
    change.yScale = loaded[kYScale] != now[kYScale];
    return change;
}

std::string FormatFieldFloat(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string CutTextureName(const std::string& name) {
    return name.substr(0, kKeptNameLength);
}

std::optional<std::string> DescribeCutTextureName(const std::string& name) {
    if (name.size() <= kKeptNameLength)
        return std::nullopt;
    return "The texture name \"" + name + "\" is longer than a face can hold; it is stored as \"" +
           CutTextureName(name) + "\".";
}
