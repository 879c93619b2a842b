#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One program run by a compile: its arguments and the folder it runs in, each
// of which may name the variables below. A step that is not enabled is kept in
// its profile but passed over when the profile runs.
struct CompileStep {
    std::string program;
    std::vector<std::string> args;
    std::string folder; // empty: the map's folder
    bool enabled = true;

    friend bool operator==(const CompileStep&, const CompileStep&) = default;
};

// A named list of steps, run one after the other.
struct CompileProfile {
    std::string name;
    std::vector<CompileStep> steps;

    friend bool operator==(const CompileProfile&, const CompileProfile&) = default;
};

// What the variables of a step stand for when one map is compiled:
// ${MAP} the saved map, ${MAPDIR} its folder, ${NAME} its file name without
// the extension, ${BSP} ${MAPDIR}/${NAME}.bsp and ${GAMEDIR} the game folder
// of the settings.
struct CompileVariables {
    std::string map;
    std::string mapDir;
    std::string name;
    std::string bsp;
    std::string gameDir;
};

CompileVariables MakeCompileVariables(const std::string& mapPath, const std::string& gameDir);

// `text` with every known ${VARIABLE} replaced; an unknown one, or a "${"
// that is not closed, stays as it is written.
std::string ExpandCompileVariables(std::string_view text, const CompileVariables& variables);

// The step as it runs: variables expanded, an empty folder made the map's.
CompileStep ExpandCompileStep(const CompileStep& step, const CompileVariables& variables);

// Why the profile cannot run with these variables, if it cannot: a step to
// run names ${GAMEDIR} while no game folder is set, and would run against
// the file system's root.
std::optional<std::string> FindUnsetVariable(const CompileProfile& profile,
                                             const CompileVariables& variables);

// The arguments as one line the user reads and edits: an argument holding a
// space, a quote, a backslash or nothing at all is put in double quotes, with
// '"' and '\' escaped by '\'.
std::string JoinArguments(const std::vector<std::string>& args);
// Reads a line written so back into its arguments; single quotes take
// everything up to the next one as it stands, as a shell does.
std::vector<std::string> SplitArguments(std::string_view line);

// The command line of a step as the log shows it.
std::string DescribeCommandLine(const CompileStep& step);
