#include "app/UndoCommands.h"

#include "app/CDocHistory.h"
#include "app/CDocManager.h"
#include "widgets/CTolveView.h"

namespace {

QUndoStack* StackOf(const CommandContext& context) {
    if (!context.docs || !context.view)
        return nullptr;
    return &context.docs->GetHistory(context.view->GetDocument()).GetStack();
}

void Undo(const CommandContext& context) {
    if (QUndoStack* stack = StackOf(context))
        stack->undo();
}

void Redo(const CommandContext& context) {
    if (QUndoStack* stack = StackOf(context))
        stack->redo();
}

bool CanUndo(const CommandContext& context) {
    QUndoStack* stack = StackOf(context);
    return stack && stack->canUndo();
}

bool CanRedo(const CommandContext& context) {
    QUndoStack* stack = StackOf(context);
    return stack && stack->canRedo();
}

QString UndoLabel(const CommandContext& context) {
    const QUndoStack* stack = StackOf(context);
    if (!stack || !stack->canUndo())
        return QStringLiteral("&Undo");
    return QStringLiteral("&Undo %1").arg(stack->undoText());
}

QString RedoLabel(const CommandContext& context) {
    const QUndoStack* stack = StackOf(context);
    if (!stack || !stack->canRedo())
        return QStringLiteral("&Redo");
    return QStringLiteral("&Redo %1").arg(stack->redoText());
}

} // namespace

void PerformStep(const CommandContext& context, std::unique_ptr<QUndoCommand> step) {
    if (context.docs && context.view)
        context.docs->GetHistory(context.view->GetDocument()).Perform(std::move(step));
    else
        step->redo();
}

void AddUndoCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back(
        {.id = EditUndo,
         .menuText = "&Undo",
         .prompt = "Undo the last action",
         .toolTip = "Undo",
         .keys = {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
         .scope = View,
         .run = Undo,
         .enabled = CanUndo,
         .label = UndoLabel});
    entries.push_back({.id = EditRedo,
                       .menuText = "&Redo",
                       .prompt = "Redo the action last undone",
                       .toolTip = "Redo",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)},
                       .scope = View,
                       .run = Redo,
                       .enabled = CanRedo,
                       .label = RedoLabel});
}
