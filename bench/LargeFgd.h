#pragma once

#include <string>

// An FGD the size of a large mod's: 300 classes, each built on base classes,
// with a size (point classes), a colour, eight keys, a choices key and eight
// flags.
inline constexpr int kLargeFgdClasses = 300;
std::string MakeLargeFgd();
