#pragma once

#include "app/CommandEntry.h"

// New, Open, Close, Save, Save As, the recent files and Exit.
void AddFileCommands(CommandEntries& entries);

// Opens a file from the recent-file list; an entry that no longer opens
// leaves the list.
void OpenRecentFile(const CommandContext& context, const QString& path);
