#include "app/PreferencesCommands.h"

#include "app/CAutosaver.h"
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CTolveApp.h"
#include "app/OpenMapSettings.h"
#include "app/PreferenceSettings.h"
#include "dialogs/CPreferencesDlg.h"
#include "map/CTolveDoc.h"

namespace {

// Open maps look for their files in the new folders: the texture list is
// loaded again (saying nothing, as after the Texture Files dialog) and the
// definitions are read again when next asked for.
void FollowNewFolders(const CommandContext& context, const PreferenceValues& before,
                      const PreferenceValues& after) {
    if (!context.docs)
        return;
    for (const auto& doc : context.docs->GetDocuments()) {
        if (before.textureFolders != after.textureFolders) {
            doc->m_textureWad.SetTextureFolders(after.textureFolders);
            if (doc->m_textureWad.IsNamed())
                doc->m_textureWad.LoadTextureWad();
        }
        if (before.definitionFolders != after.definitionFolders) {
            doc->m_definitions.SetFolders(after.definitionFolders);
            doc->UpdateAllViews(MapNotice::Repaint());
        }
    }
}

void EditPreferences(const CommandContext& context) {
    const PreferenceValues before = LoadPreferences();
    CPreferencesDlg dialog(context.frame);
    dialog.SetValues(before);
    if (!RunModalDialog(dialog))
        return;
    const PreferenceValues after = dialog.GetValues();
    if (after == before)
        return;
    StorePreferences(before, after);
    ApplySettingsToOpenMaps(context);
    FollowNewFolders(context, before, after);
    if (context.app && before.autosaveMinutes != after.autosaveMinutes)
        context.app->GetAutosaver().SetInterval(after.autosaveMinutes);
}

} // namespace

void AddPreferencesCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kPreferences,
                       .menuText = "P&references...",
                       .prompt = "Change the editor's settings",
                       .menu = MenuPlace{MainMenu::kEdit, 10, 1},
                       .scope = CommandScope::kApplication,
                       .run = EditPreferences});
}
