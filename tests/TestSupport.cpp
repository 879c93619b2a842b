#include "TestSupport.h"

#include "map/CMapTransaction.h"

#include "map/CMapWriter.h"

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

CTempDir::CTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolve-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void WriteAsAnotherProgram(const std::filesystem::path& path, const std::string& text) {
    struct stat before {};
    const bool existed = stat(path.c_str(), &before) == 0;
    WriteFileText(path, text);
    if (!existed)
        return;
    timespec times[2] = {before.st_atim, before.st_mtim};
    times[1].tv_sec += 2;
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::vector<const CMapBrush*> BrushesInOrder(const CTolveDoc& doc) {
    std::vector<const CMapBrush*> brushes;
    for (const auto& brush : doc.GetWorldBrushes())
        brushes.push_back(brush.get());
    for (const auto& entity : doc.GetModelEntities()) {
        for (const auto& brush : entity->m_brushes)
            brushes.push_back(brush.get());
    }
    return brushes;
}

std::unique_ptr<ReadMap> Read(const std::string& text) {
    auto result = std::make_unique<ReadMap>();
    result->doc->ReadMapText(text, result->diagnostics);
    return result;
}

void MakeModified(CTolveDoc& doc) {
    CWorldKeys keys = doc;
    keys.m_worldMessage += '*';
    CMapTransaction transaction(doc, "Mark");
    transaction.Edits().SetWorldKeys(keys);
    transaction.Commit();
}

void Edit(CTolveDoc& doc, const std::function<void(CMapEdits&)>& edits) {
    CMapTransaction transaction(doc, "Edit");
    edits(transaction.Edits());
    transaction.Commit();
}

void SetStateCoordinate(CTolveDoc& doc, StatePoint point, int32_t IntPoint::*axis, int32_t value) {
    CEditorState& state = doc.GetEditorState();
    switch (point) {
    case StatePoint::kUpperLimit: {
        IntPoint limit = state.GetUpperLimit();
        limit.*axis = value;
        state.SetUpperLimit(limit);
        break;
    }
    case StatePoint::kLowerLimit: {
        IntPoint limit = state.GetLowerLimit();
        limit.*axis = value;
        state.SetLowerLimit(limit);
        break;
    }
    case StatePoint::kInsertionPoint: {
        IntPoint insertion = state.GetInsertionPoint();
        insertion.*axis = value;
        state.SetInsertionPoint(insertion);
        break;
    }
    }
}

std::string MapText(const CTolveDoc& doc) {
    std::string text;
    CMapWriter writer(doc, [&](const char* data, size_t size) {
        text.append(data, size);
        return true;
    });
    writer.WriteMap();
    return text;
}

bool OpenShowing(CTolveDoc& doc, const std::string& path) {
    UserMessages messages;
    const bool opened = doc.OnOpenDocument(path, messages);
    ShowMessages(messages);
    return opened;
}

bool SaveShowing(CTolveDoc& doc, const std::string& path) {
    UserMessages messages;
    const bool saved = doc.OnSaveDocument(path, messages);
    ShowMessages(messages);
    return saved;
}

bool WaitUntilGroupEnds(pid_t group, int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (::kill(-group, 0) == -1 && errno == ESRCH)
            return true;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
