#include "map/FaceLineText.h"

#include "framework/TextToNumber.h"
#include "map/TextureProjection.h"

#include <cmath>

namespace {

// The reader splits tokens at these bytes (every byte above 127 included).
bool IsSeparator(char c) {
    return static_cast<signed char>(c) <= 32;
}

} // namespace

bool TextureNameNeedsQuotes(const char* texture) {
    if (texture[0] == '\0' || (texture[0] == '/' && texture[1] == '/'))
        return true;
    for (const char* c = texture; *c; ++c) {
        if (IsSeparator(*c))
            return true;
    }
    return false;
}

std::string FormatStandardTexture(const char* texture, const StandardTexture& numbers) {
    std::string text;
    if (TextureNameNeedsQuotes(texture))
        text.append("\"").append(texture).append("\"");
    else
        text.append(texture);
    char digits[kFixedTextCapacity + 1];
    for (double offset : {numbers.xOffset, numbers.yOffset}) {
        text.push_back(' ');
        if (offset == std::trunc(offset) && offset >= -32768.0 && offset <= 32767.0)
            text.append(std::to_string(static_cast<int32_t>(offset)));
        else
            text.append(digits, FormatShortest(offset, digits));
    }
    for (double number : {numbers.rotation, numbers.xScale, numbers.yScale})
        text.append(" ").append(FormatStandardFloat(number));
    return text;
}

std::string FormatStandardFloat(double number) {
    char digits[kFixedTextCapacity + 1];
    char shortest[kShortestTextCapacity + 1];
    const float single = NearestFloat(number);
    digits[FormatFixed(single, digits)] = '\0';
    shortest[FormatShortest(single, shortest)] = '\0';
    return ParseDouble(digits) == ParseDouble(shortest) ? digits : shortest;
}
