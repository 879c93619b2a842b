#pragma once

#include <string>

// Why a file could not be read or written: which file and the reason, the
// system's own or, for what cannot be written at all, what is wrong with the
// content.
struct FileError {
    std::string path;
    std::string reason;
    bool inContent = false;        // the file system was never asked
    bool changedMeanwhile = false; // another program wrote the file during the save

    friend bool operator==(const FileError&, const FileError&) = default;
};
