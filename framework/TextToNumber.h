#pragma once

#include <cstdint>

// Text to number by the C runtime's rules, without their undefined behaviour and
// without regard to the process locale (maps always use a decimal point).

// atoi: leading white space, an optional sign, then decimal digits up to the
// first other character; no digits gives 0. Values beyond 32 bits keep their
// low-order 32 bits, so storing the result in a narrower field keeps the low
// bits of the written number.
int32_t ParseInt(const char* text);

// atof: leading white space, then the longest prefix that forms a decimal or
// hexadecimal floating-point number, "inf" or "nan"; 0 when there is none.
double ParseDouble(const char* text);
