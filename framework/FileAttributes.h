#pragma once

#include <string>

// A file's owner, group and permission bits (with the set-id and sticky bits).
struct FileAttributes {
    unsigned owner = 0;
    unsigned group = 0;
    unsigned mode = 0;

    friend bool operator==(const FileAttributes&, const FileAttributes&) = default;
};

// What a file that replaced another has of the old one's attributes: the old
// file's and its own. Equal when every attribute was kept.
struct AttributeChange {
    FileAttributes before;
    FileAttributes after;

    bool IsEmpty() const { return before == after; }
};

// One line for the status bar on what a save of `fileName` could not keep,
// e.g. "Saved \"a.map\", but its owner is now root (was alice)."; empty when
// everything was kept.
std::string DescribeAttributeChange(const std::string& fileName, const AttributeChange& change);
