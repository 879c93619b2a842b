#include "framework/CColourChooser.h"
#include "framework/CFileChooser.h"
#include "framework/CFolderChooser.h"
#include "framework/CProgressService.h"

// Services of programs without a user interface: no file, folder or colour
// can be chosen and progress is not shown.
namespace {

class CNoFileChooser : public CFileChooser {
public:
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest&) override {
        return std::nullopt;
    }
};

class CNoFolderChooser : public CFolderChooser {
public:
    std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
};

class CNoColourChooser : public CColourChooser {
public:
    std::optional<PickedColour> ChooseColour(const PickedColour&, const std::string&) override {
        return std::nullopt;
    }
};

class CSilentTask : public CProgressTask {
public:
    void Step() override {}
};

class CSilentProgress : public CProgressService {
public:
    std::unique_ptr<CProgressTask> Begin(const std::string&, int) override {
        return std::make_unique<CSilentTask>();
    }
};

CNoFileChooser g_noFileChooser;
CNoFolderChooser g_noFolderChooser;
CNoColourChooser g_noColourChooser;
CSilentProgress g_silentProgress;

} // namespace

template <> CFileChooser*& CServiceSlot<CFileChooser>::Current() {
    static CFileChooser* service = &g_noFileChooser;
    return service;
}

template <> CColourChooser*& CServiceSlot<CColourChooser>::Current() {
    static CColourChooser* service = &g_noColourChooser;
    return service;
}

template <> CFolderChooser*& CServiceSlot<CFolderChooser>::Current() {
    static CFolderChooser* service = &g_noFolderChooser;
    return service;
}

template <> CProgressService*& CServiceSlot<CProgressService>::Current() {
    static CProgressService* service = &g_silentProgress;
    return service;
}
