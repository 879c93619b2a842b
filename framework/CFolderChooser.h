#pragma once

#include "framework/CServiceSlot.h"

#include <optional>
#include <string>

// Lets the user pick an existing folder; returns its full path, or nothing on
// Cancel. `title` says what the folder is for.
class CFolderChooser {
public:
    virtual ~CFolderChooser() = default;
    virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
};

// Defined beside the service's default implementation.
template <> CFolderChooser*& CServiceSlot<CFolderChooser>::Current();
using FolderChooserSlot = CServiceSlot<CFolderChooser>;
