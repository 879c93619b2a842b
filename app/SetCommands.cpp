#include "app/SetCommands.h"

#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/SelectionSetEdits.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <string>

namespace {

using enum CommandScope;

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

EditMode Mode(const CommandContext& c) {
    return Doc(c).GetEditorState().GetEditMode();
}

// Whole objects: brushes or point entities.
bool TakesWholeObjects(const CommandContext& c) {
    return Mode(c) == kBrushMode || Mode(c) == kEntityMode;
}

bool CanActOnWholeObjects(const CommandContext& c) {
    return TakesWholeObjects(c) && c.view->HasCommandTarget();
}

bool CanActOnObjects(const CommandContext& c) {
    return c.view->HasCommandTarget();
}

// The objects the command acts on; none tells the user so.
CSelectionSet TargetOrSay(const CommandContext& c) {
    CSelectionSet objects = c.view->GetCommandTarget();
    if (objects.IsEmpty())
        ShowStatusNotice(kNothingUnderPointer);
    return objects;
}

void SelectAll(const CommandContext& c) {
    CEditorState& state = Doc(c).GetEditorState();
    state.SetSelectionSet(ObjectsInsideLimits(Doc(c)));
    ShowStatusNotice(std::to_string(state.GetSelectionSet().CountParts()) + " selected");
}

void Duplicate(const CommandContext& c) {
    if (!TakesWholeObjects(c))
        return;
    const CSelectionSet objects = TargetOrSay(c);
    if (objects.IsEmpty())
        return;
    CTolveDoc& doc = Doc(c);
    CEditorState& state = doc.GetEditorState();
    const IntPoint offset = ScreenStep(c.view->m_projection, 1, 1, state.GetSnap());
    CMapTransaction transaction(doc, "Duplicate");
    CSelectionSet copies =
        DuplicateObjects(transaction.Edits(), doc, objects, state.GetEditMode(), offset);
    transaction.Commit();
    state.SetSelectionSet(std::move(copies));
}

template <int Dx, int Dy> void Nudge(const CommandContext& c) {
    const CSelectionSet objects = TargetOrSay(c);
    if (objects.IsEmpty())
        return;
    CTolveDoc& doc = Doc(c);
    const CEditorState& state = doc.GetEditorState();
    CMapTransaction transaction(doc, "Nudge");
    MoveObjects(transaction.Edits(), objects, state.GetEditMode(),
                ScreenStep(c.view->m_projection, Dx, Dy, state.GetSnap()));
    transaction.Commit();
}

template <ScreenTurn Turn> void TurnSet(const CommandContext& c) {
    if (!TakesWholeObjects(c))
        return;
    const CSelectionSet objects = TargetOrSay(c);
    const EditMode mode = Mode(c);
    const std::optional<IntBox> box = BoundsOfSet(objects, mode);
    if (!box)
        return;
    CTolveDoc& doc = Doc(c);
    const IntPoint centre = TurnCentreOf(*box, doc.GetEditorState().GetSnap());
    const bool mirror = Turn == ScreenTurn::kFlipHorizontal || Turn == ScreenTurn::kFlipVertical;
    CMapTransaction transaction(doc, mirror ? "Flip" : "Rotate");
    TurnObjects(transaction.Edits(), objects, mode, TurnInView(c.view->m_projection, Turn, centre));
    transaction.Commit();
}

MenuPlace EditMenu(int group, int order) {
    return MenuPlace{MainMenu::kEdit, group, order, MenuBarChoice::kWithMap};
}

void AddTurnCommands(CommandEntries& entries) {
    using enum CommandId;
    entries.push_back({.id = kRotateClockwise,
                       .menuText = "&Rotate 90\u00b0 Clockwise",
                       .prompt = "Turn the selection a quarter clockwise in this view",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_R)},
                       .menu = EditMenu(6, 1),
                       .scope = kView,
                       .run = TurnSet<ScreenTurn::kClockwise>,
                       .enabled = CanActOnWholeObjects});
    entries.push_back({.id = kRotateAnticlockwise,
                       .menuText = "Rotate 90\u00b0 &Anticlockwise",
                       .prompt = "Turn the selection a quarter anticlockwise in this view",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
                       .menu = EditMenu(6, 2),
                       .scope = kView,
                       .run = TurnSet<ScreenTurn::kAnticlockwise>,
                       .enabled = CanActOnWholeObjects});
    entries.push_back({.id = kFlipHorizontal,
                       .menuText = "Flip &Horizontally",
                       .prompt = "Mirror the selection left to right in this view",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_F)},
                       .menu = EditMenu(6, 3),
                       .scope = kView,
                       .run = TurnSet<ScreenTurn::kFlipHorizontal>,
                       .enabled = CanActOnWholeObjects});
    entries.push_back({.id = kFlipVertical,
                       .menuText = "Flip &Vertically",
                       .prompt = "Mirror the selection top to bottom in this view",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
                       .menu = EditMenu(6, 4),
                       .scope = kView,
                       .run = TurnSet<ScreenTurn::kFlipVertical>,
                       .enabled = CanActOnWholeObjects});
}

void AddNudgeCommands(CommandEntries& entries) {
    using enum CommandId;
    const struct {
        CommandId id;
        const char* text;
        const char* prompt;
        Qt::Key key;
        CommandHandler run;
    } nudges[] = {
        {kNudgeLeft, "Nudge Left", "Move the selection one snap step left", Qt::Key_Left,
         Nudge<-1, 0>},
        {kNudgeRight, "Nudge Right", "Move the selection one snap step right", Qt::Key_Right,
         Nudge<1, 0>},
        {kNudgeUp, "Nudge Up", "Move the selection one snap step up", Qt::Key_Up, Nudge<0, -1>},
        {kNudgeDown, "Nudge Down", "Move the selection one snap step down", Qt::Key_Down,
         Nudge<0, 1>},
    };
    for (const auto& nudge : nudges) {
        entries.push_back({.id = nudge.id,
                           .menuText = nudge.text,
                           .prompt = nudge.prompt,
                           .keys = {QKeySequence(Qt::ALT | nudge.key)},
                           .scope = kView,
                           .run = nudge.run,
                           .enabled = CanActOnObjects});
    }
}

} // namespace

void AddSetCommands(CommandEntries& entries) {
    using enum CommandId;
    entries.push_back({.id = kSelectAll,
                       .menuText = "Select &All",
                       .prompt = "Select every object of the edit mode inside the limits",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_A)},
                       .menu = EditMenu(5, 1),
                       .scope = kView,
                       .run = SelectAll});
    entries.push_back({.id = kDuplicate,
                       .menuText = "D&uplicate",
                       .prompt = "Copy the selection one snap step right and down; the copy "
                                 "becomes the selection",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
                       .menu = EditMenu(5, 2),
                       .scope = kView,
                       .run = Duplicate,
                       .enabled = CanActOnWholeObjects});
    AddNudgeCommands(entries);
    AddTurnCommands(entries);
}
