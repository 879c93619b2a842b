#include "app/CsgCommands.h"

#include "app/AppSettings.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/PreferenceValues.h"
#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "framework/FieldMessages.h"
#include "map/CMapTransaction.h"
#include "map/CsgEdits.h"
#include "widgets/CTolveView.h"

#include <string>

namespace {

using enum CommandId;
using enum CommandScope;

constexpr const char* kMessageTitle = "CSG";
const char* const kWallThicknessKey = "Csg/WallThickness";

constexpr SubmenuPlace kCsgMenu{"C&SG", 6, 5};

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

bool HasChosenBrushes(const CommandContext& c) {
    const CEditorState& state = Doc(c).GetEditorState();
    return state.GetEditMode() == ::kBrushMode && !state.GetSelectionSet().GetBrushes().empty();
}

int32_t WallThickness(const CommandContext& c) {
    const int32_t thickness = LoadWallThickness();
    return thickness > 0 ? thickness : Doc(c).GetEditorState().GetSnap();
}

// Runs one tool as one step; a refusal is told and leaves the map as it was.
// What the tool made becomes the selection, unless `keep` says what should.
template <class Tool>
void RunTool(const CommandContext& c, const char* name, Tool&& tool, CMapBrush* keep = nullptr) {
    CTolveDoc& doc = Doc(c);
    const CSelectionSet set = doc.GetEditorState().GetSelectionSet();
    CMapTransaction transaction(doc, name);
    const CsgOutcome outcome = tool(transaction.Edits(), doc, set);
    if (!outcome.refusal.empty()) {
        transaction.RollBack();
        ShowMessageBox(kMessageTitle, outcome.refusal, MessageIcon::kWarning);
        return;
    }
    if (outcome.replaced == 0) {
        transaction.RollBack();
        ShowStatusNotice(std::string(name) + ": no chosen brush to change");
        return;
    }
    transaction.Commit();
    CSelectionSet chosen;
    if (keep) {
        chosen.Add(*keep, CSelectionSet::kWholeBrush);
    } else {
        for (CMapBrush* brush : outcome.made)
            chosen.Add(*brush, CSelectionSet::kWholeBrush);
    }
    doc.GetEditorState().SetSelectionSet(std::move(chosen));
    ShowStatusNotice(std::string(name) + ": " + std::to_string(outcome.replaced) +
                     " brushes gave way to " + std::to_string(outcome.made.size()));
}

// The brush chosen last is the one cut out; it stays, chosen alone, to be
// moved and cut again.
void Subtract(const CommandContext& c) {
    const CSelectionSet& set = Doc(c).GetEditorState().GetSelectionSet();
    CMapBrush* cutter = set.GetNewestBrush();
    if (!cutter || set.GetBrushes().size() < 2) {
        ShowMessageBox(kMessageTitle,
                       "Choose the brushes to cut from, then the brush to cut out of them last.",
                       MessageIcon::kInformation);
        return;
    }
    RunTool(
        c, "Subtract",
        [cutter](CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& chosen) {
            return SubtractBrush(edits, doc, chosen, *cutter);
        },
        cutter);
}

void Hollow(const CommandContext& c) {
    const int32_t thickness = WallThickness(c);
    RunTool(c, "Hollow", [thickness](CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set) {
        return HollowBrushes(edits, doc, set, thickness);
    });
}

void HollowTogether(const CommandContext& c) {
    const int32_t thickness = WallThickness(c);
    RunTool(c, "Hollow Together",
            [thickness](CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set) {
                return HollowBrushesTogether(edits, doc, set, thickness);
            });
}

void Merge(const CommandContext& c) {
    RunTool(c, "Merge", MergeBrushes);
}

std::optional<std::string> FindThicknessProblem(const std::string& text) {
    const std::optional<int32_t> value = ParseWholeInteger(text);
    if (!value || *value < 0 || *value > kMaxWallThickness)
        return DescribeIntegerRange(0, kMaxWallThickness);
    return std::nullopt;
}

void ChooseWallThickness(const CommandContext& c) {
    CNumberDlg dialog("Wall Thickness",
                      QStringLiteral("Wall thickness for Hollow (units, 0 = the snap step):"),
                      FindThicknessProblem, c.view->window());
    dialog.SetText(std::to_string(LoadWallThickness()));
    if (!RunModalDialog(dialog))
        return;
    StoreWallThickness(*ParseWholeInteger(dialog.GetText()));
}

MenuPlace CsgMenu(int group, int order) {
    return MenuPlace{MainMenu::kEdit,        group,    order, MenuBarChoice::kWithMap,
                     MenuItemRole::kCommand, &kCsgMenu};
}

} // namespace

int32_t LoadWallThickness() {
    bool valid = false;
    const int units = OpenAppSettings().value(QLatin1String(kWallThicknessKey)).toInt(&valid);
    return valid && units > 0 && units <= kMaxWallThickness ? units : 0;
}

void StoreWallThickness(int32_t units) {
    OpenAppSettings().setValue(QLatin1String(kWallThicknessKey), units);
}

void AddCsgCommands(CommandEntries& entries) {
    entries.push_back({.id = kCsgSubtract,
                       .menuText = "&Subtract",
                       .prompt = "Cut the brush chosen last out of the other chosen brushes",
                       .keys = {QKeySequence(Qt::SHIFT | Qt::Key_S)},
                       .menu = CsgMenu(1, 1),
                       .scope = kView,
                       .run = Subtract,
                       .enabled = HasChosenBrushes});
    entries.push_back({.id = kCsgHollow,
                       .menuText = "&Hollow",
                       .prompt = "Turn each chosen brush into walls inside it",
                       .menu = CsgMenu(1, 2),
                       .scope = kView,
                       .run = Hollow,
                       .enabled = HasChosenBrushes});
    entries.push_back(
        {.id = kCsgHollowTogether,
         .menuText = "Hollow &Together",
         .prompt = "Turn the chosen brushes into the walls of the one space they make",
         .menu = CsgMenu(1, 3),
         .scope = kView,
         .run = HollowTogether,
         .enabled = HasChosenBrushes});
    entries.push_back({.id = kCsgMerge,
                       .menuText = "&Merge",
                       .prompt = "Join the chosen brushes into one convex brush",
                       .menu = CsgMenu(1, 4),
                       .scope = kView,
                       .run = Merge,
                       .enabled = HasChosenBrushes});
    entries.push_back({.id = kCsgWallThickness,
                       .menuText = "&Wall Thickness...",
                       .prompt = "How thick Hollow makes walls",
                       .menu = CsgMenu(2, 1),
                       .scope = kView,
                       .run = ChooseWallThickness});
}
