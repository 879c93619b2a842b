#include "map/MapTextEncoding.h"

#include <algorithm>

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Some line of the text begins a map's structure: a brace, a quoted key or
// a comment.
bool HasMapStructure(std::string_view text) {
    bool lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lineStart = true;
        } else if (lineStart && c != ' ' && c != '\t' && c != '\r') {
            if (c == '{' || c == '"' || (c == '/' && i + 1 < text.size() && text[i + 1] == '/'))
                return true;
            lineStart = false;
        }
    }
    return false;
}

size_t CountControlBytes(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || byte == 127;
    }));
}

} // namespace

std::string FindNotTextMapReason(std::string_view text) {
    using namespace std::string_view_literals;
    // UTF-32 first: its little-endian mark begins like UTF-16's.
    if (StartsWith(text, "\xFF\xFE\0\0"sv) || StartsWith(text, "\0\0\xFE\xFF"sv))
        return "it is UTF-32 text";
    if (StartsWith(text, "\xFF\xFE"sv) || StartsWith(text, "\xFE\xFF"sv))
        return "it is UTF-16 text";
    // UTF-16 without a mark has a NUL in every other byte; a stray NUL or two
    // in a real map is read as a blank instead.
    std::string_view head = text.substr(0, 1024);
    size_t nuls = static_cast<size_t>(std::count(head.begin(), head.end(), '\0'));
    if (!head.empty() && nuls * 4 > head.size())
        return "its first kilobyte is full of NUL bytes, as UTF-16 text or a binary file is";
    // Pictures, archives and programs: text holds few control bytes, and a
    // map shows its braces early.
    if (CountControlBytes(head) * 10 > head.size() && !HasMapStructure(head))
        return "its first kilobyte holds many control bytes and no map structure, as a binary "
               "file does";
    return {};
}
