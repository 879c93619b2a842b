#include "framework/TextToNumber.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// from_chars handles neither a leading '+' nor the "0x" prefix; strtod does.
double ParseUnsignedDouble(const char* text) {
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

} // namespace

int32_t ParseInt(const char* text) {
    while (IsCSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - '0');
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
