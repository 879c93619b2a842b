#include "texture/TextureWadPrompt.h"

#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "texture/CTextureWad.h"
#include "texture/TextureFileSearch.h"

void LoadTextureWadAsking(CTextureWad& wad) {
    // A map that names no texture files has nothing to look for; the user
    // adds files when they are wanted.
    if (wad.LoadTextureWad() || !wad.IsNamed())
        return;
    ShowMessageBox(CTextureWad::kMessageTitle, wad.DescribeLoadProblems(), MessageIcon::kWarning);
    if (!wad.HasFoundFile())
        ChooseTextureWadAsking(wad);
}

void StartNewMapTextures(CTextureWad& wad) {
    wad.SetUnnamed();
    if (LocateTextureFile(kDefaultTextureWad, wad.GetSearchPaths()))
        wad.SetFileName(kDefaultTextureWad);
    LoadTextureWadAsking(wad);
}

void ChooseTextureWadAsking(CTextureWad& wad) {
    std::optional<std::string> chosen =
        FileChooserSlot::Get().ChooseFileToOpen(CTextureWad::MakeChooserRequest());
    if (!chosen)
        return;
    const size_t added = wad.AdoptChosenFile(*chosen);
    wad.LoadTextureWad();
    // The other entries were reported with the map; only the chosen file's
    // fate is news. One that vanished meanwhile is asked for again.
    const std::string problem = wad.DescribeEntryProblem(added);
    if (problem.empty())
        return;
    ShowMessageBox(CTextureWad::kMessageTitle, problem, MessageIcon::kWarning);
    if (!wad.GetEntries()[added].IsFound())
        ChooseTextureWadAsking(wad);
}
