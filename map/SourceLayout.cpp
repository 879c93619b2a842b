#include "map/SourceLayout.h"

#include "framework/Utf8Mark.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

} // namespace

SourceLayout FindSourceLayout(std::string_view text) {
    SourceLayout layout;
    const size_t firstLineEnd = text.find('\n');
    layout.crlf = firstLineEnd != std::string_view::npos && firstLineEnd > 0 &&
                  text[firstLineEnd - 1] == '\r';
    bool key = false;
    bool brace = false;
    bool face = false;
    int depth = 0;
    for (size_t line = 0; line < text.size() && !(key && brace && face);) {
        const size_t start = SkipBlanks(text, line);
        const std::string_view indent = text.substr(line, start - line);
        const char first = start < text.size() ? text[start] : '\n';
        if (first == '{') {
            if (depth == 1 && !brace) {
                layout.braceIndent = indent;
                brace = true;
            }
            ++depth;
        } else if (first == '}') {
            --depth;
        } else if (first == '"' && depth == 1 && !key) {
            layout.keyIndent = indent;
            key = true;
        } else if (first == '(' && depth == 2 && !face) {
            layout.faceIndent = indent;
            face = true;
        }
        const size_t end = text.find('\n', start);
        line = end == std::string_view::npos ? text.size() : end + 1;
    }
    return layout;
}

// The writer indents by what a line holds: entity braces not at all, keys and
// brush braces with one tab, face lines with two.
void AppendInLayout(std::string_view written, const SourceLayout& layout, std::string& out) {
    while (!written.empty()) {
        size_t end = written.find('\n');
        const bool ended = end != std::string_view::npos;
        std::string_view line = written.substr(0, ended ? end : written.size());
        written.remove_prefix(ended ? end + 1 : written.size());
        if (line.starts_with("\t\t")) {
            out.append(layout.faceIndent);
            line.remove_prefix(2);
        } else if (line.starts_with("\t\"")) {
            out.append(layout.keyIndent);
            line.remove_prefix(1);
        } else if (line.starts_with("\t{") || line.starts_with("\t}")) {
            out.append(layout.braceIndent);
            line.remove_prefix(1);
        }
        out.append(line);
        if (ended)
            out.append(layout.crlf ? "\r\n" : "\n");
    }
}

size_t FindLeadEnd(std::string_view text, size_t from) {
    // The byte-order mark heading the file stays with what follows it.
    const size_t start = text.substr(from).starts_with(kUtf8Mark) ? from + kUtf8Mark.size() : from;
    size_t at = start;
    while (at < text.size()) {
        const char c = text[at];
        if (IsBlank(c) || c == '\r' || c == '\n') {
            ++at;
        } else if (c == '/' && at + 1 < text.size() && text[at + 1] == '/') {
            const size_t end = text.find('\n', at);
            at = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            break;
        }
    }
    if (at == text.size())
        return at;
    const size_t lineStart = text.rfind('\n', at);
    return std::max(start, lineStart == std::string_view::npos ? size_t{0} : lineStart + 1);
}
