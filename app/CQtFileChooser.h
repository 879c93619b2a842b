#pragma once

#include "app/CSaveFileChooser.h"
#include "framework/CFileChooser.h"
#include "framework/CFolderChooser.h"

#include <QString>

// The name filter a file dialog shows for a request, e.g.
// "Quake Map Files (*.map)". A description that already names its patterns is
// used as it is.
QString BuildNameFilter(const FileChooserRequest& request);

// File dialogs for opening and saving and for picking a folder, owned by the
// active window.
class CQtFileChooser : public CFileChooser, public CSaveFileChooser, public CFolderChooser {
public:
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request,
                                                const std::string& suggestedPath,
                                                SaveFileKinds& kinds) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;
};
