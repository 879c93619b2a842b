#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

// What one run of tolve-map printed and returned.
struct ToolRun {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs `tolve-map COMMAND` with the arguments, each quoted for the shell;
// standard error goes to a file in `dir`.
ToolRun RunTool(const CTempDir& dir, const std::string& command,
                const std::vector<std::string>& arguments);
// The same started in `folder` (where it finds quake.pal, say).
ToolRun RunToolIn(const std::string& folder, const CTempDir& dir, const std::string& command,
                  const std::vector<std::string>& arguments);
