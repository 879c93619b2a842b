#include "app/UndoCommands.h"

#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

namespace {

CMapHistory* HistoryOf(const CommandContext& context) {
    return context.view ? &context.view->GetDocument().GetHistory() : nullptr;
}

void Undo(const CommandContext& context) {
    if (CMapHistory* history = HistoryOf(context))
        history->Undo(context.view->GetDocument());
}

void Redo(const CommandContext& context) {
    if (CMapHistory* history = HistoryOf(context))
        history->Redo(context.view->GetDocument());
}

bool CanUndo(const CommandContext& context) {
    const CMapHistory* history = HistoryOf(context);
    return history && history->CanUndo();
}

bool CanRedo(const CommandContext& context) {
    const CMapHistory* history = HistoryOf(context);
    return history && history->CanRedo();
}

QString UndoLabel(const CommandContext& context) {
    if (!CanUndo(context))
        return QStringLiteral("&Undo");
    return QStringLiteral("&Undo %1")
        .arg(QString::fromStdString(HistoryOf(context)->GetUndoName()));
}

QString RedoLabel(const CommandContext& context) {
    if (!CanRedo(context))
        return QStringLiteral("&Redo");
    return QStringLiteral("&Redo %1")
        .arg(QString::fromStdString(HistoryOf(context)->GetRedoName()));
}

} // namespace

void AddUndoCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back(
        {.id = kEditUndo,
         .menuText = "&Undo",
         .prompt = "Undo the last action",
         .toolTip = "Undo",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
         .menu = MenuPlace{MainMenu::kEdit, 1, 1, MenuBarChoice::kWithMap},
         .scope = kView,
         .run = Undo,
         .enabled = CanUndo,
         .label = UndoLabel});
    entries.push_back({.id = kEditRedo,
                       .menuText = "&Redo",
                       .prompt = "Redo the action last undone",
                       .toolTip = "Redo",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)},
                       .menu = MenuPlace{MainMenu::kEdit, 1, 2, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = Redo,
                       .enabled = CanRedo,
                       .label = RedoLabel});
}
