#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text of a map's "wad" value: texture files separated by ';', each as
// its author wrote it, often with the paths of another machine. The value is
// kept as text so that it goes back into the map exactly as it came, and only
// the entries that change are rewritten in place.

// One entry: its text without the blanks around it, and where that text
// begins in the value.
struct WadListEntry {
    std::string name;
    size_t offset = 0;
};

// The entries in order; blanks (spaces, tabs) around each are trimmed and
// empty entries are left out.
std::vector<WadListEntry> SplitWadList(std::string_view value);
std::vector<std::string> SplitWadListNames(std::string_view value);

// The names joined by ';', for a list the user has rearranged.
std::string JoinWadList(const std::vector<std::string>& names);

// The value with one entry's text replaced and everything around it kept.
std::string ReplaceWadListEntry(std::string_view value, const WadListEntry& entry,
                                std::string_view name);

// The value with one more entry at its end.
std::string AppendToWadList(std::string_view value, std::string_view name);

// The last component of an entry, after its last '/' or '\', so that the file
// of a Windows path is found by its name too.
std::string_view WadEntryFileName(std::string_view entry);

// True for a path that does not hang off a folder: "/x" here, and "C:/x",
// "C:\x" or "\\server\x" as Windows writes them.
bool IsAbsoluteWadEntry(std::string_view entry);
