#pragma once

#include "app/CommandEntry.h"

// Undo, Cut, Copy and Paste.
void AddClipboardCommands(CommandEntries& entries);
