#pragma once

#include "app/CommandEntry.h"

#include <QUndoCommand>

#include <memory>

// Undo and Redo.
void AddUndoCommands(CommandEntries& entries);

// Performs a change of the active view's map as a step of its history. A
// context without open documents to keep a history in only performs it.
void PerformStep(const CommandContext& context, std::unique_ptr<QUndoCommand> step);
