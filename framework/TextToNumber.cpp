#include "framework/TextToNumber.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A plain decimal of at most 15 digits ("12", "0.5", "1.000000"), up to the
// first character that cannot continue it: a double holds its digits as a
// whole number exactly, and so does a power of ten up to 1e15, so one
// division gives the correctly rounded value, as from_chars does. False for
// what may be more (an exponent, hexadecimal, more digits) or is no number.
bool ParseShortDecimal(const char* text, double& value) {
    static constexpr double kPowersOfTen[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    uint64_t digits = 0;
    int count = 0, decimals = 0;
    const char* c = text;
    for (; *c >= '0' && *c <= '9' && count <= 15; ++c, ++count)
        digits = digits * 10u + static_cast<uint64_t>(*c - '0');
    if (*c == '.') {
        for (++c; *c >= '0' && *c <= '9' && count <= 15; ++c, ++count, ++decimals)
            digits = digits * 10u + static_cast<uint64_t>(*c - '0');
    }
    if (count == 0 || count > 15 || *c == 'e' || *c == 'E' || *c == 'x' || *c == 'X')
        return false;
    value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return true;
}

// from_chars handles neither a leading '+' nor the "0x" prefix; strtod does.
double ParseUnsignedDouble(const char* text) {
    double quick;
    if (ParseShortDecimal(text, quick))
        return quick;
    const char* end = text + std::strlen(text);
    std::chars_format format = std::chars_format::general;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const char* digits = text + 2;
        bool hasDigit = std::isxdigit(static_cast<unsigned char>(digits[0])) ||
                        (digits[0] == '.' && std::isxdigit(static_cast<unsigned char>(digits[1])));
        if (!hasDigit)
            return 0.0; // strtod reads just the "0"
        text = digits;
        format = std::chars_format::hex;
    }
    double value = 0.0;
    auto [rest, error] = std::from_chars(text, end, value, format);
    if (error == std::errc::result_out_of_range) {
        // Rare: let the C library decide between overflow and underflow, in
        // the "C" locale so that the decimal point is always '.'.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        const char* start = format == std::chars_format::hex ? text - 2 : text;
        return strtod_l(start, nullptr, cLocale);
    }
    (void)rest;
    return error == std::errc() ? value : 0.0;
}

// Whether a run of decimal digits, negated or not, lies within 32 bits.
bool FitsInt32(const char* digits, size_t count, bool negative) {
    while (count > 1 && *digits == '0') {
        ++digits;
        --count;
    }
    if (count > 10)
        return false;
    uint64_t magnitude = 0;
    for (size_t i = 0; i < count; ++i)
        magnitude = magnitude * 10u + static_cast<uint64_t>(digits[i] - '0');
    return magnitude <= (negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1);
}

} // namespace

int32_t ParseInt(const char* text) {
    bool exact;
    return ParseInt(text, exact);
}

int32_t ParseInt(const char* text, bool& exact) {
    const char* start = text;
    while (IsCSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    const char* digits = text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - '0');
    exact = text != digits && *text == '\0' && !IsCSpace(*start);
    if (exact && text - digits >= 10)
        exact = FitsInt32(digits, static_cast<size_t>(text - digits), negative);
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

double ParseDouble(const char* text) {
    while (IsCSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    if (*text == '+' || *text == '-')
        return 0.0;
    double value = ParseUnsignedDouble(text);
    return negative ? -value : value;
}

bool ParseWholeDouble(const char* text, double& value) {
    const char* end = text + std::strlen(text);
    const char* digits = text;
    if (*digits == '+' || *digits == '-')
        ++digits;
    // from_chars takes neither a '+' nor "inf"/"nan" spelled otherwise than it
    // likes; a number of a map is plain decimal anyway.
    if (*digits != '.' && (*digits < '0' || *digits > '9'))
        return false;
    auto [rest, error] = std::from_chars(digits, end, value, std::chars_format::general);
    if (error != std::errc() || rest != end)
        return false;
    if (*text == '-')
        value = -value;
    return true;
}

size_t FormatFixed(float value, char* out) {
    double wide = value;
    if (wide == std::trunc(wide) && std::fabs(wide) < 1e9) {
        char* p = out;
        if (std::signbit(wide) && wide == 0.0)
            *p++ = '-';
        p = std::to_chars(p, out + 32, static_cast<int32_t>(wide)).ptr;
        std::memcpy(p, ".000000", 7);
        return static_cast<size_t>(p + 7 - out);
    }
    if (std::isfinite(wide)) {
        auto result =
            std::to_chars(out, out + kFixedTextCapacity, wide, std::chars_format::fixed, 6);
        return static_cast<size_t>(result.ptr - out);
    }
    return static_cast<size_t>(std::snprintf(out, kFixedTextCapacity, "%f", wide));
}

size_t FormatShortest(double value, char* out) {
    if (!std::isfinite(value))
        return static_cast<size_t>(std::snprintf(out, kShortestTextCapacity, "%g", value));
    return static_cast<size_t>(std::to_chars(out, out + kShortestTextCapacity, value).ptr - out);
}

size_t FormatShortest(float value, char* out) {
    if (!std::isfinite(value))
        return static_cast<size_t>(std::snprintf(out, kShortestTextCapacity, "%g", value));
    return static_cast<size_t>(std::to_chars(out, out + kShortestTextCapacity, value).ptr - out);
}

namespace {

// "0", "-0", "17", "-250": no sign but '-', no leading zero, at most 15
// digits, so that a double holds it exactly and writes it back the same.
bool ReadPlainInteger(const char* text, double& value) {
    const char* digits = text + (*text == '-' ? 1 : 0);
    const char* c = digits;
    int64_t magnitude = 0;
    for (; *c >= '0' && *c <= '9'; ++c)
        magnitude = magnitude * 10 + (*c - '0');
    const ptrdiff_t count = c - digits;
    if (*c != '\0' || count == 0 || count > 15 || (digits[0] == '0' && count > 1))
        return false;
    value = static_cast<double>(magnitude);
    if (digits != text)
        value = -value;
    return true;
}

template <class Number> bool MatchesShortest(const char* text, Number value) {
    char written[kShortestTextCapacity];
    const size_t length = FormatShortest(value, written);
    return std::strlen(text) == length && std::memcmp(text, written, length) == 0;
}

} // namespace

bool IsShortestText(const char* text, double& value) {
    if (ReadPlainInteger(text, value))
        return true;
    value = ParseDouble(text);
    return MatchesShortest(text, value);
}

bool IsShortestText(const char* text, float& value) {
    double wide;
    if (ReadPlainInteger(text, wide) && std::fabs(wide) <= 16777216.0) {
        value = static_cast<float>(wide);
        return true;
    }
    wide = ParseDouble(text);
    value = NearestFloat(wide);
    return std::fabs(wide) <= std::numeric_limits<float>::max() && MatchesShortest(text, value);
}

float NearestFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (std::isinf(value))
        return static_cast<float>(value);
    return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}
