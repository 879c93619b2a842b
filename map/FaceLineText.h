#pragma once

#include <string>

struct StandardTexture;

// Texts of face lines that the writer and the conversions between the forms
// share.

// A texture name the reader would not take back as one token (empty, blank
// inside, or starting a comment) is written between double quotes.
bool TextureNameNeedsQuotes(const char* texture);

// A rotation or scale of a standard face line: six decimals where they are
// the float's own digits ("0.500000"), else the float's shortest text
// ("35.5377", not "35.537701").
std::string FormatStandardFloat(double number);

// The texture part of a standard face line for numbers that came from a
// conversion: whole offsets within 16 bits and floats as the writer writes
// them wherever that loses nothing, else the shortest exact text.
std::string FormatStandardTexture(const char* texture, const StandardTexture& numbers);
