#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a map file lays out its lines, as far as the writer's own lines can
// take it on: its line ends, and the indentation of its key lines, brush
// braces and face lines. The writer's own layout is a tab before keys and
// braces, two before face lines, and line feeds.
struct SourceLayout {
    bool crlf = false;
    std::string keyIndent = "\t";
    std::string braceIndent = "\t";
    std::string faceIndent = "\t\t";

    bool IsWritersOwn() const {
        return !crlf && keyIndent == "\t" && braceIndent == "\t" && faceIndent == "\t\t";
    }
};

// The layout of the first lines of each kind in `text`; what the text does
// not show stays the writer's.
SourceLayout FindSourceLayout(std::string_view text);

// Appends the writer's text `written` to `out`, its lines in `layout`.
void AppendInLayout(std::string_view written, const SourceLayout& layout, std::string& out);

// Where the comments and blank lines from `from` on end: the start of the
// line of the first thing that is neither, but not before `from`.
size_t FindLeadEnd(std::string_view text, size_t from);
