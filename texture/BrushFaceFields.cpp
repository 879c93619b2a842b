#include "texture/BrushFaceFields.h"

#include "framework/TextToNumber.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <utility>

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

std::optional<BrushFaceProblem> ValidateBrushFaceFields(const BrushFaceFields& fields,
                                                        BrushFaceValues& values) {
    using enum BrushFaceField;
    BrushFaceValues checked;
    int64_t sides = 0, width = 0, height = 0;
    auto checkOffset = [&](BrushFaceField field, double& offset) {
        if (fields.numberOffsets)
            return CheckNumber(fields[field], offset);
        int64_t whole = 0;
        std::optional<std::string> problem = CheckInteger(fields[field], kOffsetRange, whole);
        offset = static_cast<double>(whole);
        return problem;
    };
    const std::pair<BrushFaceField, std::function<std::optional<std::string>()>> steps[] = {
        {kBaseSides, [&] { return CheckInteger(fields[kBaseSides], kSidesRange, sides); }},
        {kXScale, [&] { return CheckFloat(fields[kXScale], checked.xScale); }},
        {kWidth, [&] { return CheckInteger(fields[kWidth], kSizeRange, width); }},
        {kXOffset, [&] { return checkOffset(kXOffset, checked.xOffset); }},
        {kRotation, [&] { return CheckFloat(fields[kRotation], checked.rotation); }},
        {kHeight, [&] { return CheckInteger(fields[kHeight], kSizeRange, height); }},
        {kYOffset, [&] { return checkOffset(kYOffset, checked.yOffset); }},
        {kYScale, [&] { return CheckFloat(fields[kYScale], checked.yScale); }},
    };
    for (const auto& [field, step] : steps) {
        if (std::optional<std::string> message = step())
            return BrushFaceProblem{field, *message};
    }
    // Every number is inside its field's range now.
    checked.baseSides = static_cast<uint8_t>(sides);
    checked.width = static_cast<int16_t>(width);
    checked.height = static_cast<int16_t>(height);
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
