#include "texture/TextureWadPrompt.h"

#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "texture/CTextureWad.h"

void LoadTextureWadAsking(CTextureWad& wad) {
    CTextureWad::LoadResult result = wad.LoadTextureWad();
    if (result == CTextureWad::LoadResult::kLoaded)
        return;
    ShowMessageBox(CTextureWad::kMessageTitle, wad.DescribeLoadProblem(result),
                   MessageIcon::Warning);
    if (result == CTextureWad::LoadResult::kMissing)
        ChooseTextureWadAsking(wad);
}

void ChooseTextureWadAsking(CTextureWad& wad) {
    std::optional<std::string> chosen =
        FileChooserSlot::Get().ChooseFileToOpen(CTextureWad::MakeChooserRequest());
    if (!chosen)
        return;
    wad.AdoptChosenFile(*chosen);
    LoadTextureWadAsking(wad);
}
