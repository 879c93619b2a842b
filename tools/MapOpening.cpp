#include "tools/MapOpening.h"

#include "framework/UserMessage.h"
#include "map/CTolveDoc.h"

#include <algorithm>
#include <filesystem>

MapOpening OpenMapReporting(CTolveDoc& doc, const std::string& path) {
    UserMessages messages;
    const bool opened = doc.OnOpenDocument(path, messages);
    ShowMessages(messages);
    if (!opened)
        return MapOpening::kUnreadable;
    // The problems of a read come in an error box; what the editor merely
    // tells of a map that read well does not.
    const bool problems = std::any_of(messages.begin(), messages.end(), [](const UserMessage& m) {
        return m.icon == MessageIcon::kError;
    });
    return problems ? MapOpening::kReadWithProblems : MapOpening::kRead;
}

bool OpenMapForCommand(CTolveDoc& doc, const std::string& path) {
    return OpenMapReporting(doc, path) != MapOpening::kUnreadable;
}

std::string MapFolderOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : full).parent_path().string();
}

void RecogniseGameQuietly(CTolveDoc& doc) {
    doc.m_textureWad.LoadTextureWad();
    doc.RecogniseGameByTextures();
}
