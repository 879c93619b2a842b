#pragma once

#include "framework/CServiceSlot.h"

#include <optional>
#include <string>

// What an "open file" dialog is asked to show.
struct FileChooserRequest {
    std::string filterText;       // e.g. "Quake Texture Wad2 files (*.wad)"
    std::string pattern;          // e.g. "*.wad"
    std::string defaultExtension; // without the dot
    bool mustExist = true;
};

// Lets the user pick a file to open; returns its full path, or nothing on Cancel.
class CFileChooser {
public:
    virtual ~CFileChooser() = default;
    virtual std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) = 0;
};

// Defined beside the service's default implementation.
template <> CFileChooser*& CServiceSlot<CFileChooser>::Current();
using FileChooserSlot = CServiceSlot<CFileChooser>;
