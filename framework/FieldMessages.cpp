#include "framework/FieldMessages.h"

#include "framework/TextToNumber.h"

#include <cmath>

std::string DescribeIntegerRange(int32_t low, int32_t high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}

namespace {

// The text without the blanks around it; none when nothing else is there.
std::optional<std::string> WithoutBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    const size_t last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::optional<int32_t> ParseWholeInteger(std::string_view text) {
    const std::optional<std::string> trimmed = WithoutBlanks(text);
    bool exact = false;
    const int32_t value = trimmed ? ParseInt(trimmed->c_str(), exact) : 0;
    if (!exact)
        return std::nullopt;
    return value;
}

std::optional<double> ParseWholeDecimal(std::string_view text) {
    const std::optional<std::string> trimmed = WithoutBlanks(text);
    double value = 0.0;
    if (!trimmed || !ParseWholeDouble(trimmed->c_str(), value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}
