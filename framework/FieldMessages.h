#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The messages with which a dialog refuses a number typed into one of its
// boxes, shown in a box titled with the application's name.
inline constexpr const char* kFieldMessageTitle = "Tolve";
inline constexpr const char* kPositiveIntegerMessage = "Please enter a positive integer.";

// "Please enter an integer between low and high."
std::string DescribeIntegerRange(int32_t low, int32_t high);

// The number a box holds when its text is one whole number, blanks around it
// allowed, within the 32-bit range; none otherwise.
std::optional<int32_t> ParseWholeInteger(std::string_view text);

// The number a box holds when its text is one finite decimal number, blanks
// around it allowed; none otherwise.
std::optional<double> ParseWholeDecimal(std::string_view text);
