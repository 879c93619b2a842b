#pragma once

#include "app/CommandEntry.h"

#include <string>

// Compile > Run, Show Log and Profiles...: the map built with the user's
// tools, as the chosen profile says.
void AddCompileCommands(CommandEntries& entries);

// Where the user's profiles are kept: "profiles" beside the editor's
// settings, ~/.config/Tolve/profiles.
std::string CompileProfilesFolder();

// The settings: the profile that Run runs, by name, and the game folder that
// ${GAMEDIR} stands for.
std::string LoadChosenProfileName();
void StoreChosenProfileName(const std::string& name);
std::string LoadGameFolder();
void StoreGameFolder(const std::string& folder);
