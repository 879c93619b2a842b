#include "app/EntityCommands.h"

// Not run yet: the key is there, the command disabled.
void AddEntityCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back({.id = NewEntity,
                       .menuText = "New Entity",
                       .prompt = "Insert a new entity",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_E)},
                       .scope = View});
}
