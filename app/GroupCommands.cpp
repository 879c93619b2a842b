#include "app/GroupCommands.h"

#include "dialogs/CNumberDlg.h"
#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/GroupEdits.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <optional>
#include <string>

namespace {

using enum CommandId;
using enum CommandScope;

constexpr const char* kMessageTitle = "Group";

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

// Groups hold whole objects: brushes or point entities.
bool CanGroup(const CommandContext& c) {
    const EditMode mode = Doc(c).GetEditorState().GetEditMode();
    return (mode == ::kBrushMode || mode == ::kEntityMode) && c.view->HasCommandTarget();
}

// The objects the command acts on; none tells the user so.
CSelectionSet TargetOrSay(const CommandContext& c) {
    CSelectionSet objects = c.view->GetCommandTarget();
    if (objects.IsEmpty())
        ShowStatusNotice(kNothingUnderPointer);
    return objects;
}

// A name is written between double quotes in the map file, which cannot hold
// one inside.
std::optional<std::string> FindNameProblem(const std::string& name) {
    if (name.empty())
        return "Type a name for the group.";
    if (name.find('"') != std::string::npos)
        return "A group name cannot hold a double quote (\").";
    return std::nullopt;
}

// Runs Group or Ungroup as one step; a refusal is told and leaves the map as
// it was.
template <class Edit> void RunGroupEdit(const CommandContext& c, const char* name, Edit&& edit) {
    const CSelectionSet objects = TargetOrSay(c);
    if (objects.IsEmpty())
        return;
    CTolveDoc& doc = Doc(c);
    CEditorState& state = doc.GetEditorState();
    const CSelectionSet before = state.GetSelectionSet();
    // The objects stay selected, to be moved or grouped again; selected
    // before the edit, so that an entity it takes away leaves the set with it.
    state.SetSelectionSet(objects);
    CMapTransaction transaction(doc, name);
    const GroupOutcome outcome = edit(transaction.Edits(), doc, objects);
    if (!outcome.refusal.empty()) {
        transaction.RollBack();
        state.SetSelectionSet(before);
        ShowMessageBox(kMessageTitle, outcome.refusal, MessageIcon::kWarning);
        return;
    }
    transaction.Commit();
    const size_t count = outcome.groups.size();
    ShowStatusNotice(std::string(name) + ": " + std::to_string(count) +
                     (count == 1 ? " group" : " groups"));
}

void Group(const CommandContext& c) {
    if (!CanGroup(c)) {
        ShowStatusNotice("Groups are made of whole brushes or entities: choose brush or entity "
                         "mode");
        return;
    }
    CNumberDlg dialog("Group", QStringLiteral("Name of the new group:"), FindNameProblem,
                      c.view->window());
    dialog.SetText(NewGroupName(Doc(c)));
    if (!RunModalDialog(dialog))
        return;
    const std::string name = dialog.GetText();
    RunGroupEdit(c, "Group", [&](CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set) {
        return GroupObjects(edits, doc, set, name);
    });
}

void Ungroup(const CommandContext& c) {
    if (!CanGroup(c))
        return;
    RunGroupEdit(c, "Ungroup", UngroupObjects);
}

} // namespace

void AddGroupCommands(CommandEntries& entries) {
    entries.push_back({.id = kGroup,
                       .menuText = "&Group...",
                       .prompt = "Make the selected objects a group, which selects and moves "
                                 "as one",
                       .keys = {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G)},
                       .menu = MenuPlace{MainMenu::kEdit, 7, 3, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = Group,
                       .enabled = CanGroup});
    entries.push_back({.id = kUngroup,
                       .menuText = "Ungr&oup",
                       .prompt = "Give the objects of the selected groups back to the map",
                       .keys = {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_U)},
                       .menu = MenuPlace{MainMenu::kEdit, 7, 4, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = Ungroup,
                       .enabled = CanGroup});
}
