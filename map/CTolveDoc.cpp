#include "map/CTolveDoc.h"

#include "entity/EntityClassNames.h"
#include "framework/CMessageService.h"
#include "framework/CSafeFileWriter.h"
#include "map/CMapReader.h"
#include "map/CMapWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

CTolveDoc::CTolveDoc()
    : m_pointClassNames(GetPointClassNames()), m_brushClassNames(GetBrushClassNames()) {}

CTolveDoc::~CTolveDoc() {
    DeleteContents();
}

void CTolveDoc::Serialize() {
    ShowMessageBox("Cop'ing an Attitude", "I will not serialize", MessageIcon::Information);
}

void CTolveDoc::DeleteContents() {
    // A brush entity's brushes go before the entity itself.
    m_worldBrushes.clear();
    for (auto& entity : m_modelEntities)
        entity->m_brushes.clear();
    m_modelEntities.clear();
    m_pointEntities.clear();
    // Nothing may keep pointing at what was just deleted.
    m_selectedEntity = nullptr;
    m_selectedBrush = nullptr;
    m_selectedPointEntity = nullptr;
    CDocument::DeleteContents();
}

void CTolveDoc::ResetWorld() {
    m_hasWorldLight = false;
    m_hasWorldSounds = false;
    m_worldType = -1;
    m_upperLimit = IntPoint(-25000, 25000, 25000);
    m_lowerLimit = IntPoint(25000, -25000, -25000);
    m_insertionPoint = IntPoint(0, 0, 0);
    m_snap = 8;
    m_editMode = kCornerMode;
    m_textureWad.SetFileName(kDefaultTextureWad);
    m_selectedPointEntity = nullptr;
    m_selectedBrush = nullptr;
    m_selectedEntity = nullptr;
}

bool CTolveDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    ResetWorld();
    m_textureWad.LoadTextureWad();
    return true;
}

namespace {

std::string FolderOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : full).parent_path().string();
}

} // namespace

bool CTolveDoc::OnOpenDocument(const std::string& path) {
    ResetWorld();
    m_textureWad.SetMapFolder(FolderOf(path));
    if (!ReadMapFile(path))
        return false;
    m_textureWad.LoadTextureWad();
    return true;
}

bool CTolveDoc::OnSaveDocument(const std::string& path) {
    // A texture file named relative to the map must still be found from the
    // map's new place.
    const std::string wadName = m_textureWad.GetFileName();
    const std::string wadFolder = m_textureWad.GetMapFolder();
    m_textureWad.SetMapFolder(FolderOf(path));
    if (WriteMapFile(path))
        return true;
    m_textureWad.RestoreLocation(wadName, wadFolder);
    return false;
}

namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    struct stat status;
    if (::fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        text.resize(static_cast<size_t>(size));
        size_t got = std::fread(text.data(), 1, text.size(), file);
        ok = got == text.size() && !std::ferror(file);
    }
    int savedErrno = errno;
    std::fclose(file);
    errno = ok ? 0 : (savedErrno ? savedErrno : EIO);
    return ok;
}

} // namespace

bool CTolveDoc::ReadMapFile(const std::string& path, CMapDiagnostics* diagnostics) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        ShowMessageBox("File Open Error",
                       "Couldn't read \"" + path + "\": " + std::strerror(errno) + ".",
                       MessageIcon::Error);
        return false;
    }
    CMapErrorBoxes boxes;
    ReadMapText(text.c_str(), diagnostics ? *diagnostics : boxes);
    return true;
}

void CTolveDoc::ReadMapText(const char* text, CMapDiagnostics& diagnostics) {
    CMapReader(*this, text, diagnostics).ReadMap();
}

bool CTolveDoc::WriteMapFile(const std::string& path) {
    if (auto problem = CMapWriter::FindUnwritableText(*this)) {
        ShowMessageBox("File Save Error", *problem, MessageIcon::Error);
        return false;
    }
    CSafeFileWriter file(path);
    if (!file.Open()) {
        ShowMessageBox("File Open Error", "couldn't open file!", MessageIcon::Error);
        return false;
    }
    CMapWriter writer(*this, [&](const char* data, size_t size) { return file.Write(data, size); });
    if (!writer.WriteMap() || !file.Commit()) {
        ShowMessageBox("File Save Error",
                       "Couldn't save \"" + path + "\": " + file.GetError() +
                           ". The file on disk was left as it was.",
                       MessageIcon::Error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}
