#include "app/DeleteCommands.h"

#include "app/DeletionStep.h"
#include "app/UndoCommands.h"
#include "widgets/CTolveView.h"

#include <memory>

void DeleteSelection(const CommandContext& context) {
    if (std::unique_ptr<QUndoCommand> step = MakeDeletionStep(context.view->GetDocument()))
        PerformStep(context, std::move(step));
}
