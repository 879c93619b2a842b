#pragma once

#include "app/CommandEntry.h"

#include <functional>

class QMenu;
class QWidget;

// The view's pop-up menu, made from the pop-up places of the command table
// (New ▸ Brush, Entity; Edit; Set ▸ the limits and the insertion point;
// Delete). Each item is enabled as its command is in the context and runs it
// through `run`.
QMenu* MakeViewContextMenu(const CommandContext& context, std::function<void(CommandId)> run,
                           QWidget* parent);
