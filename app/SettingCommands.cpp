#include "app/SettingCommands.h"

#include "dialogs/CSnapDlg.h"
#include "texture/TextureWadPrompt.h"
#include "widgets/CTolveView.h"

void SetSnapStep(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    CSnapDlg dialog(context.view->window());
    dialog.SetFields(LoadSnapFields(doc.m_snap));
    if (RunModalDialog(dialog))
        doc.m_snap = StoreSnap(dialog.GetFields());
}

void ChooseTextureFile(const CommandContext& context) {
    ChooseTextureWadAsking(context.view->GetDocument().m_textureWad);
}
