#include "app/PointFileCommands.h"

#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <filesystem>

namespace {

constexpr const char* kLoadTitle = "Load Point File";

FileChooserRequest PointFileRequest() {
    FileChooserRequest request;
    request.filterText = "Point files (*.pts)";
    request.pattern = "*.pts";
    request.defaultExtension = "pts";
    request.mustExist = true;
    return request;
}

// The trace the compiler left beside the saved map, else one the user picks.
std::optional<std::string> PointFileToLoad(const CTolveDoc& doc) {
    if (!doc.GetPathName().empty()) {
        const std::string beside = PointFilePathOf(doc.GetPathName());
        std::error_code error;
        if (std::filesystem::is_regular_file(beside, error))
            return beside;
    }
    return FileChooserSlot::Get().ChooseFileToOpen(PointFileRequest());
}

void LoadPointFile(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    if (const std::optional<std::string> path = PointFileToLoad(doc))
        LoadPointFileIntoDocument(doc, *path);
}

void ClearPointFile(const CommandContext& context) {
    ClearPointFileOf(context.view->GetDocument());
}

bool HasPointFile(const CommandContext& context) {
    return context.view && context.view->GetDocument().m_pointFile.has_value();
}

} // namespace

bool LoadPointFileIntoDocument(CTolveDoc& doc, const std::string& path) {
    PointFile file;
    if (const std::optional<std::string> problem = ReadPointFile(path, file)) {
        ShowMessageBox(kLoadTitle, *problem, MessageIcon::kWarning);
        return false;
    }
    const size_t count = file.points.size();
    doc.m_pointFile = std::move(file);
    doc.UpdateAllViews(MapNotice::Repaint());
    ShowStatusNotice("Point file: " + std::to_string(count) + (count == 1 ? " point" : " points") +
                     "; View > Frame Selection shows it, View > Clear Point File removes it");
    return true;
}

bool ClearPointFileOf(CTolveDoc& doc) {
    if (!doc.m_pointFile)
        return false;
    doc.m_pointFile.reset();
    doc.UpdateAllViews(MapNotice::Repaint());
    ShowStatusNotice("Point file cleared");
    return true;
}

void AddPointFileCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kLoadPointFile,
                       .menuText = "Load &Point File...",
                       .prompt = "Draw the compiler's leak trace over the map",
                       .menu = MenuPlace{MainMenu::kView, 5, 1, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = LoadPointFile});
    entries.push_back({.id = CommandId::kClearPointFile,
                       .menuText = "Clear Point File",
                       .prompt = "Remove the leak trace from the views",
                       .menu = MenuPlace{MainMenu::kView, 5, 2, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ClearPointFile,
                       .enabled = HasPointFile});
}
