#include "app/CompileCommands.h"

#include "app/AppSettings.h"
#include "app/CCompileRuns.h"
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CTolveApp.h"
#include "compile/CompileProfileFile.h"
#include "dialogs/CCompileProfilesDlg.h"
#include "framework/CStatusNotice.h"
#include "framework/UserMessage.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QFileInfo>

#include <filesystem>

namespace {

constexpr const char* kProfilesTitle = "Compile Profiles";
constexpr const char* kProfileKey = "Compile/Profile";
constexpr const char* kGameFolderKey = "Compile/GameFolder";

void TellProblems(const std::string& heading, const std::vector<std::string>& problems) {
    if (problems.empty())
        return;
    std::string text = heading;
    for (const std::string& problem : problems)
        text += "\n" + problem;
    ShowMessages({{kProfilesTitle, text, MessageIcon::kWarning}});
}

std::optional<size_t> FindProfile(const std::vector<StoredProfile>& stored,
                                  const std::string& name) {
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i].profile.name == name)
            return i;
    }
    return std::nullopt;
}

// Writes the profiles as the dialog left them: changed and new ones to their
// files, and removes the files of those deleted.
std::vector<std::string> StoreProfiles(const std::vector<StoredProfile>& before,
                                       const std::vector<EditedProfile>& after) {
    const std::string folder = CompileProfilesFolder();
    std::vector<std::string> problems;
    std::vector<bool> kept(before.size(), false);
    for (const EditedProfile& edited : after) {
        std::string path;
        if (edited.origin && *edited.origin < before.size()) {
            kept[*edited.origin] = true;
            const StoredProfile& old = before[*edited.origin];
            if (old.profile == edited.profile && !old.path.empty())
                continue;
            path = old.path;
        }
        if (path.empty())
            path = NewProfilePath(folder, edited.profile.name);
        if (std::optional<std::string> problem = WriteCompileProfile(path, edited.profile))
            problems.push_back(*problem);
    }
    for (size_t i = 0; i < before.size(); ++i) {
        std::error_code error;
        if (!kept[i] && !before[i].path.empty() &&
            !std::filesystem::remove(before[i].path, error) && error)
            problems.push_back(before[i].path + ": " + error.message());
    }
    return problems;
}

// Compile > Profiles...: true when the user chose OK.
bool EditProfiles(QWidget* parent) {
    std::vector<std::string> problems;
    std::vector<StoredProfile> stored = LoadCompileProfiles(CompileProfilesFolder(), problems);
    TellProblems("These profile files cannot be read; they are left as they are:", problems);
    // A user without profiles is offered one for the usual compilers.
    if (stored.empty())
        stored.push_back({"", DefaultCompileProfile()});
    std::vector<CompileProfile> profiles;
    for (const StoredProfile& profile : stored)
        profiles.push_back(profile.profile);
    CCompileProfilesDlg dialog(profiles, FindProfile(stored, LoadChosenProfileName()),
                               LoadGameFolder(), parent);
    if (!RunModalDialog(dialog))
        return false;
    const std::vector<EditedProfile> edited = dialog.GetProfiles();
    TellProblems("These profiles could not be saved:", StoreProfiles(stored, edited));
    const std::optional<size_t> current = dialog.GetCurrentProfile();
    StoreChosenProfileName(current ? edited[*current].profile.name : std::string());
    StoreGameFolder(dialog.GetGameFolder());
    return true;
}

// The profile Run runs: the chosen one, else the first there is.
std::optional<CompileProfile> ChosenProfile() {
    std::vector<std::string> problems;
    const std::vector<StoredProfile> stored =
        LoadCompileProfiles(CompileProfilesFolder(), problems);
    if (std::optional<size_t> found = FindProfile(stored, LoadChosenProfileName()))
        return stored[*found].profile;
    if (!stored.empty())
        return stored.front().profile;
    TellProblems("These profile files cannot be read:", problems);
    return std::nullopt;
}

// The compilers read the map from its file, so it is saved first.
bool SaveForCompile(const CommandContext& context, CTolveDoc& doc) {
    std::error_code error;
    const bool onDisk =
        !doc.GetPathName().empty() && std::filesystem::is_regular_file(doc.GetPathName(), error);
    if (onDisk && !doc.IsModified())
        return true;
    // Another game's map is never written over.
    if (doc.IsOtherGameMap())
        return context.docs->SaveDocumentAs(doc);
    return context.docs->SaveDocument(doc);
}

void RunCompile(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    CCompileRuns& runs = context.app->GetCompileRuns();
    if (runs.IsRunning(doc)) {
        runs.ShowLogWindow(doc);
        ShowStatusNotice("This map is being compiled; its log shows how far the compile is");
        return;
    }
    std::optional<CompileProfile> profile = ChosenProfile();
    if (!profile) {
        ShowStatusNotice("Set up a compile profile to run");
        if (!EditProfiles(context.view->window()) || !(profile = ChosenProfile()))
            return;
    }
    if (!SaveForCompile(context, doc))
        return;
    runs.Start(doc, *profile, LoadGameFolder());
}

void ShowLog(const CommandContext& context) {
    context.app->GetCompileRuns().ShowLogWindow(context.view->GetDocument());
}

bool HasLog(const CommandContext& context) {
    return context.app && context.view &&
           context.app->GetCompileRuns().GetLogWindow(context.view->GetDocument());
}

void ChooseProfiles(const CommandContext& context) {
    EditProfiles(context.frame);
}

} // namespace

std::string CompileProfilesFolder() {
    const QFileInfo settings(OpenAppSettings().fileName());
    return (settings.absolutePath() + "/profiles").toStdString();
}

std::string LoadChosenProfileName() {
    return OpenAppSettings().value(kProfileKey).toString().toStdString();
}

void StoreChosenProfileName(const std::string& name) {
    OpenAppSettings().setValue(kProfileKey, QString::fromStdString(name));
}

std::string LoadGameFolder() {
    return OpenAppSettings().value(kGameFolderKey).toString().toStdString();
}

void StoreGameFolder(const std::string& folder) {
    OpenAppSettings().setValue(kGameFolderKey, QString::fromStdString(folder));
}

void AddCompileCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kCompileRun,
                       .menuText = "&Run",
                       .prompt = "Save the map and build it with the chosen compile profile",
                       .keys = {QKeySequence(Qt::Key_F9)},
                       .menu = MenuPlace{MainMenu::kCompile, 1, 1, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = RunCompile});
    entries.push_back({.id = CommandId::kCompileLog,
                       .menuText = "Show &Log",
                       .prompt = "Show the log of the map's last compile",
                       .menu = MenuPlace{MainMenu::kCompile, 1, 2, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ShowLog,
                       .enabled = HasLog});
    entries.push_back({.id = CommandId::kCompileProfiles,
                       .menuText = "&Profiles...",
                       .prompt = "Edit the compile profiles and choose the one Run runs",
                       .menu = MenuPlace{MainMenu::kCompile, 2, 1},
                       .run = ChooseProfiles});
}
