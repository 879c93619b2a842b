#pragma once

#include "framework/CFileChooser.h"
#include "framework/CServiceSlot.h"

#include <optional>
#include <string>
#include <vector>

// The kinds of file a Save As dialog offers in its type list, each a
// description of files of the request's pattern ("Quake map, Valve 220
// format"), and the one selected: at first, and as the user leaves it. No
// kinds: the request's own filter alone.
struct SaveFileKinds {
    std::vector<std::string> names;
    int chosen = 0;
};

// Lets the user pick the file to save a document as; returns its full path, with
// the default extension added when none was typed, or nothing on Cancel.
class CSaveFileChooser {
public:
    virtual ~CSaveFileChooser() = default;
    virtual std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request,
                                                        const std::string& suggestedPath,
                                                        SaveFileKinds& kinds) = 0;
};

// Defined beside the service's default implementation.
template <> CSaveFileChooser*& CServiceSlot<CSaveFileChooser>::Current();
using SaveFileChooserSlot = CServiceSlot<CSaveFileChooser>;
