#pragma once

#include "compile/CompileProfile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Compile profiles as JSON files, one profile each:
//   {"name": "...", "steps": [{"program": "...", "args": ["..."],
//                              "folder": "...", "enabled": true}]}
// "args", "folder" and "enabled" may be left out.

std::string CompileProfileToJson(const CompileProfile& profile);
// The problem with the text, if any: `profile` is filled only when there is none.
std::optional<std::string> CompileProfileFromJson(std::string_view json, CompileProfile& profile);

// The problem, naming the file, if it cannot be read or is not a profile.
std::optional<std::string> ReadCompileProfile(const std::string& path, CompileProfile& profile);
// Written safely: a failure leaves the old file. The problem, naming the file.
std::optional<std::string> WriteCompileProfile(const std::string& path,
                                               const CompileProfile& profile);

struct StoredProfile {
    std::string path;
    CompileProfile profile;
};

// Every profile in the folder's .json files, by name; a file that cannot be
// read is named in `problems` and left out. A missing folder holds none.
std::vector<StoredProfile> LoadCompileProfiles(const std::string& folder,
                                               std::vector<std::string>& problems);

// A file name in `folder` for a new profile called `name`, taken by no file.
std::string NewProfilePath(const std::string& folder, const std::string& name);

// The profile offered to a user who has none: qbsp, vis and light as found on
// the PATH, and the game's engine on the map, which is left off until the
// game folder is set.
CompileProfile DefaultCompileProfile();
