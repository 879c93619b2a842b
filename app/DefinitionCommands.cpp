#include "app/DefinitionCommands.h"

#include "app/SearchFolderSetting.h"
#include "dialogs/CSearchedFilesDlg.h"
#include "framework/UserMessage.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "texture/WadListText.h"
#include "widgets/CTolveView.h"

namespace {

constexpr const char* kTitle = "Entity Definitions";
constexpr size_t kProblemsShown = 12;

void TellDefinitionProblems(const CTolveDoc& doc) {
    const std::vector<std::string>& problems = doc.m_definitions.GetProblems();
    if (problems.empty())
        return;
    std::string text = "Some entity definitions could not be used:\n";
    for (size_t i = 0; i < problems.size() && i < kProblemsShown; ++i)
        text += "\n" + problems[i];
    // Those not even listed count among the more.
    const size_t count = doc.m_definitions.GetProblemCount();
    if (count > kProblemsShown)
        text += "\n... and " + std::to_string(count - kProblemsShown) + " more";
    ShowMessages({{kTitle, text, MessageIcon::kWarning}});
}

// The list as the dialog opens with it: the map's own, else the file another
// editor's key names.
std::string ShownList(const CTolveDoc& doc) {
    const std::string own = GetDefinitionsValue(doc);
    return own.empty() ? JoinWadList(GetDefinitionEntries(doc)) : own;
}

void ChooseEntityDefinitions(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    const std::string shown = ShownList(doc);
    CSearchedFilesDlg dialog(shown, doc.m_textureWad.GetMapFolder(), LoadDefinitionFolders(),
                             context.view->window(), DefinitionFilesKind());
    if (!RunModalDialog(dialog))
        return;
    StoreDefinitionFolders(dialog.GetTextureFolders());
    const std::string chosen = dialog.GetWadValue();
    if (chosen != shown) {
        CWorldKeys keys = doc;
        SetDefinitionsValue(keys, chosen);
        CMapTransaction transaction(doc, kTitle);
        transaction.Edits().SetWorldKeys(keys);
        transaction.Commit();
    }
    LoadEntityDefinitions(doc);
    doc.UpdateAllViews(MapNotice::Repaint());
}

} // namespace

void LoadEntityDefinitions(CTolveDoc& doc) {
    doc.m_definitions.SetFolders(LoadDefinitionFolders());
    doc.GetEntityDefinitions();
    TellDefinitionProblems(doc);
}

void AddDefinitionCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kEntityDefinitions,
                       .menuText = "Entity &Definitions...",
                       .prompt = "Choose the files that define the map's entity classes",
                       .menu = MenuPlace{MainMenu::kFile, 1, 6, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ChooseEntityDefinitions});
}
