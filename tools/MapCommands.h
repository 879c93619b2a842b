#pragma once

// The sub-commands of tolve-map; each takes the arguments after its name and
// returns the process exit code.
int RunCheckCommand(int argc, char** argv);
int RunCompileCommand(int argc, char** argv);
int RunConvertCommand(int argc, char** argv);
int RunDefsCommand(int argc, char** argv);
int RunStatsCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);
int RunTexturesCommand(int argc, char** argv);

// True when the arguments ask for help.
bool WantsHelp(int argc, char** argv);
