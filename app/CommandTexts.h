#pragma once

#include "view/TolveCommands.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// What the user reads about a command: its menu text, the status-bar prompt
// and the tool tip, and the keys that run it.
struct CommandText {
    CommandId id;
    const char* menuText;
    // The command's string: the status-bar prompt, then after a line feed the
    // tool tip. Either part may be missing.
    const char* promptAndTip;
};

// Every command, in the order of CommandId's numbering groups.
const std::vector<CommandText>& GetCommandTexts();

// The status-bar prompt: the part of the command string before the line feed.
QString GetCommandPrompt(const CommandText& text);
// The tool tip: the part after the line feed, or the menu text without its
// mnemonic when the string has none.
QString GetCommandToolTip(const CommandText& text);

// The keys of a command in the editor's accelerator table; the key a menu shows
// comes first.
QList<QKeySequence> GetCommandKeys(CommandId id);

// The toolbar's buttons from left to right; an empty slot is a separator.
const std::vector<std::optional<CommandId>>& GetToolBarLayout();
