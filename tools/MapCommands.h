#pragma once

// The sub-commands of tolve-map; each takes the arguments after its name and
// returns the process exit code.
int RunCheckCommand(int argc, char** argv);
int RunConvertCommand(int argc, char** argv);
int RunStatsCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);
int RunTexturesCommand(int argc, char** argv);

#include <string>

class CTolveDoc;

// Opens a map as the editor does and prints what the editor would show in its
// boxes. False when the file could not be read at all.
bool OpenMapForCommand(CTolveDoc& doc, const std::string& path);

// True when the arguments ask for help.
bool WantsHelp(int argc, char** argv);
