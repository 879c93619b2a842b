#include "app/CSaveFileChooser.h"
#include "app/CSoundPlayer.h"

// Until the editor installs its own, nothing is played and no file is chosen.
namespace {

class CSilentSoundPlayer : public CSoundPlayer {
public:
    void PlaySoundFile(const std::string&) override {}
};

class CNoSaveFileChooser : public CSaveFileChooser {
public:
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest&, const std::string&,
                                                SaveFileKinds&) override {
        return std::nullopt;
    }
};

CSilentSoundPlayer g_silentSoundPlayer;
CNoSaveFileChooser g_noSaveFileChooser;

} // namespace

template <> CSoundPlayer*& CServiceSlot<CSoundPlayer>::Current() {
    static CSoundPlayer* service = &g_silentSoundPlayer;
    return service;
}

template <> CSaveFileChooser*& CServiceSlot<CSaveFileChooser>::Current() {
    static CSaveFileChooser* service = &g_noSaveFileChooser;
    return service;
}
