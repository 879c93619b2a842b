#pragma once

#include "app/CommandEntry.h"

// Cut, Copy and Paste.
void AddClipboardCommands(CommandEntries& entries);
