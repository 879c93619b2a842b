#include "framework/FieldMessages.h"

#include "framework/TextToNumber.h"

std::string DescribeIntegerRange(int32_t low, int32_t high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}

std::optional<int32_t> ParseWholeInteger(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    const size_t last = text.find_last_not_of(kBlanks);
    const std::string trimmed(text.substr(first, last - first + 1));
    bool exact = false;
    const int32_t value = ParseInt(trimmed.c_str(), exact);
    if (!exact)
        return std::nullopt;
    return value;
}
