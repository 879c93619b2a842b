#pragma once

#include <cstddef>
#include <cstdint>

// Text to number by the C runtime's rules, without their undefined behaviour and
// without regard to the process locale (maps always use a decimal point).

// atoi: leading white space, an optional sign, then decimal digits up to the
// first other character; no digits gives 0. Values beyond 32 bits keep their
// low-order 32 bits, so storing the result in a narrower field keeps the low
// bits of the written number.
int32_t ParseInt(const char* text);

// As ParseInt; `exact` tells whether the whole text is one whole number
// (optional sign, digits, nothing else) within the 32-bit range, so that the
// result is the very number written.
int32_t ParseInt(const char* text, bool& exact);

// atof: leading white space, then the longest prefix that forms a decimal or
// hexadecimal floating-point number, "inf" or "nan"; 0 when there is none.
double ParseDouble(const char* text);

// True when the whole text is one decimal number (optional sign, digits, a
// point, an exponent) and sets `value` to it; false for anything else, "nan"
// and "inf" included.
bool ParseWholeDouble(const char* text, double& value);

// What printf's "%f" gives for `value`: six decimals. `out` needs room for 400
// characters; returns the length written.
size_t FormatFixed(float value, char* out);
inline constexpr size_t kFixedTextCapacity = 400;

// The shortest text that reads back as exactly `value` ("0.5", "-0", "1e+20",
// "1.0000000000000002"). `out` needs room for kShortestTextCapacity
// characters; returns the length written.
size_t FormatShortest(double value, char* out);
size_t FormatShortest(float value, char* out);
inline constexpr size_t kShortestTextCapacity = 32;

// The float nearest to `value`: beyond the largest float, the largest, where
// a plain conversion has undefined behaviour; infinities and "nan" stay what
// they are.
float NearestFloat(double value);

// True when `text` is exactly what FormatShortest writes for the number it
// stands for, which goes to `value`: then writing the number gives the text
// back. Plain integers of up to 15 digits take a quick path.
// A number beyond the float range is never written as it was.
bool IsShortestText(const char* text, double& value);
bool IsShortestText(const char* text, float& value);
