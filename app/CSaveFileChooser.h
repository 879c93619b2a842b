#pragma once

#include "framework/CFileChooser.h"
#include "framework/CServiceSlot.h"

#include <optional>
#include <string>

// Lets the user pick the file to save a document as; returns its full path, with
// the default extension added when none was typed, or nothing on Cancel.
class CSaveFileChooser {
public:
    virtual ~CSaveFileChooser() = default;
    virtual std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request,
                                                        const std::string& suggestedPath) = 0;
};

// Defined beside the service's default implementation.
template <> CSaveFileChooser*& CServiceSlot<CSaveFileChooser>::Current();
using SaveFileChooserSlot = CServiceSlot<CSaveFileChooser>;
