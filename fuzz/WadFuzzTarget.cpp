#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "framework/CProgressService.h"
#include "fuzz/FuzzTargets.h"
#include "texture/CTextureWad.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

class CSilentMessages : public CMessageService {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons) override {
        return MessageAnswer::kOk;
    }
};

class CCancellingChooser : public CFileChooser {
public:
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest&) override {
        return std::nullopt;
    }
};

// Counts the steps so that the loader's promise of one step per entry in
// range can be checked.
class CCountingProgress : public CProgressService {
public:
    std::unique_ptr<CProgressTask> Begin(const std::string&, int range) override {
        m_range = range;
        m_steps = 0;
        ++m_displays;
        return std::make_unique<CTask>(m_steps);
    }
    int m_range = 0;
    int m_steps = 0;
    int m_displays = 0;

private:
    class CTask : public CProgressTask {
    public:
        explicit CTask(int& steps) : m_steps(steps) {}
        void Step() override { ++m_steps; }

    private:
        int& m_steps;
    };
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

std::filesystem::path MakeInputPath() {
    return std::filesystem::temp_directory_path() /
           ("tolve-fuzz-wad-" + std::to_string(::getpid()) + ".wad");
}

} // namespace

// Loads the bytes as a texture file, then reads the header of every listed
// texture and builds its preview, as the brush & face dialog does.
void FuzzWadLoader(const uint8_t* data, size_t size) {
    static const std::filesystem::path path = MakeInputPath();
    FILE* input = std::fopen(path.c_str(), "wb");
    Require(input != nullptr);
    Require(std::fwrite(data, 1, size, input) == size);
    std::fclose(input);

    CSilentMessages messages;
    CCancellingChooser chooser;
    CCountingProgress progress;
    CServiceGuard<CMessageService> messagesGuard(messages);
    CServiceGuard<CFileChooser> chooserGuard(chooser);
    CServiceGuard<CProgressService> progressGuard(progress);

    CTextureWad wad;
    wad.SetFileName(path.string());
    wad.LoadTextureWad();

    const std::vector<std::string>& names = wad.GetTextureNames();
    // Only a file that starts like a WAD2 file is scanned, with one display.
    const bool wad2 = size >= kWadHeaderSize && std::memcmp(data, "WAD2", 4) == 0;
    Require(wad.GetFiles().size() == (wad2 ? 1u : 0u));
    Require(progress.m_displays == (wad2 ? 1 : 0));
    Require(progress.m_steps == progress.m_range);
    Require(wad.HasWad3File() == (size >= kWadHeaderSize && std::memcmp(data, "WAD3", 4) == 0));
    if (!wad2) {
        Require(names.empty());
        std::remove(path.c_str());
        return;
    }
    const CTextureFile& file = wad.GetFiles().front();
    Require(static_cast<size_t>(progress.m_range) == file.GetDirectory().size());
    Require(file.GetDirectory().size() * kWadLumpSize <= size);
    Require(std::adjacent_find(names.begin(), names.end(), std::greater_equal<>()) == names.end());
    Require(!file.IsOpen());

    Require(wad.OpenTextureFiles());
    for (int i = 0; i < wad.GetTextureCount(); ++i) {
        const std::string& name = names[static_cast<size_t>(i)];
        Require(!name.empty() && name.size() <= kWadNameSize);
        Require(&wad.GetTextureFile(i) == &file);
        const WadLump* lump = file.FindLump(name);
        Require(lump != nullptr);
        file.ReadMipTexHeader(*lump);
        wad.BuildTexturePreview(name, 40);
    }
    wad.CloseTextureFiles();
    std::remove(path.c_str());
}
