#include "texture/WadListText.h"

namespace {

constexpr char kSeparator = ';';
constexpr std::string_view kBlanks = " \t";

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::vector<WadListEntry> SplitWadList(std::string_view value) {
    std::vector<WadListEntry> entries;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(kSeparator, start);
        if (end == std::string_view::npos)
            end = value.size();
        const size_t first = value.find_first_not_of(kBlanks, start);
        if (first != std::string_view::npos && first < end) {
            const size_t last = value.find_last_not_of(kBlanks, end - 1);
            entries.push_back({std::string(value.substr(first, last + 1 - first)), first});
        }
        start = end + 1;
    }
    return entries;
}

std::vector<std::string> SplitWadListNames(std::string_view value) {
    std::vector<std::string> names;
    for (WadListEntry& entry : SplitWadList(value))
        names.push_back(std::move(entry.name));
    return names;
}

std::string JoinWadList(const std::vector<std::string>& names) {
    std::string value;
    for (const std::string& name : names) {
        if (!value.empty())
            value += kSeparator;
        value += name;
    }
    return value;
}

std::string ReplaceWadListEntry(std::string_view value, const WadListEntry& entry,
                                std::string_view name) {
    std::string result(value);
    result.replace(entry.offset, entry.name.size(), name);
    return result;
}

std::string AppendToWadList(std::string_view value, std::string_view name) {
    std::string result(value);
    // A value that already ends in a separator (blanks aside) gets no second one.
    const size_t last = result.find_last_not_of(kBlanks);
    if (last != std::string::npos && result[last] != kSeparator)
        result += kSeparator;
    result += name;
    return result;
}

std::string_view WadEntryFileName(std::string_view entry) {
    const size_t slash = entry.find_last_of("/\\");
    return slash == std::string_view::npos ? entry : entry.substr(slash + 1);
}

bool IsAbsoluteWadEntry(std::string_view entry) {
    if (entry.empty())
        return false;
    if (entry[0] == '/' || entry[0] == '\\')
        return true;
    // A drive letter, with or without a separator behind it.
    return entry.size() >= 2 && IsLetter(entry[0]) && entry[1] == ':';
}
