#pragma once

#include "app/CommandEntry.h"

// Edit > Group makes the selected objects a group under a name the user gives,
// and Edit > Ungroup undoes the selected closed groups; each one step, refused
// with a message when the objects cannot be grouped as they are.
void AddGroupCommands(CommandEntries& entries);
