#include "app/SettingCommands.h"

#include "app/SearchFolderSetting.h"
#include "dialogs/CSearchedFilesDlg.h"
#include "dialogs/CSnapDlg.h"
#include "texture/TextureWadPrompt.h"
#include "widgets/CTolveView.h"

void SetSnapStep(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    CEditorState& state = doc.GetEditorState();
    CSnapDlg dialog(context.view->window());
    dialog.SetFields(LoadSnapFields(state.GetSnap()));
    if (RunModalDialog(dialog))
        state.SetSnap(StoreSnap(dialog.GetFields()));
}

void ChooseTextureFile(const CommandContext& context) {
    CTextureWad& wad = context.view->GetDocument().m_textureWad;
    // With no file of the list found there is nothing to arrange yet: the user
    // picks a file at once, as when the map was opened.
    if (!wad.HasFoundFile()) {
        ChooseTextureWadAsking(wad);
        return;
    }
    CSearchedFilesDlg dialog(wad.GetFileName(), wad.GetMapFolder(), LoadTextureFolders(),
                             context.view->window());
    if (!RunModalDialog(dialog))
        return;
    StoreTextureFolders(dialog.GetTextureFolders());
    wad.SetTextureFolders(dialog.GetTextureFolders());
    // A map that named no files gets a "wad" key only once it names some.
    if (wad.IsNamed() || !dialog.GetWadValue().empty())
        wad.SetFileName(dialog.GetWadValue());
    // The dialog has shown what became of each file; the load says no more.
    wad.LoadTextureWad();
}
