#pragma once

#include "view/TolveCommands.h"

#include <QIcon>
#include <QSize>

// Toolbar buttons are 16 by 15 pixels.
inline constexpr QSize kToolBarIconSize(16, 15);

// The picture of a toolbar command, drawn at its own size and at twice that
// size; an empty icon for a command without a button.
QIcon MakeCommandIcon(CommandId id);
