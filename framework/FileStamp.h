#pragma once

#include <cstdint>
#include <string>

// What tells one state of a file from another without reading it: where it
// lives (device and inode, which a file renamed over it changes), its size and
// its modification time to the nanosecond, and its type (a link put in the
// place of a file is another file). A file that cannot be looked at is a stamp
// that does not exist.
struct FileStamp {
    bool exists = false;
    uint32_t type = 0; // the file type bits of its mode
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path`, its links followed.
FileStamp ReadFileStamp(const std::string& path);
// The stamp of the entry at `path` itself: a symbolic link is not followed.
FileStamp ReadEntryStamp(const std::string& path);
// Whether the entry at `path` is a symbolic link.
bool IsSymbolicLink(const std::string& path);
// The stamp of an open file.
FileStamp ReadFileStamp(int fd);
