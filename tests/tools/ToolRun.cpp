#include "ToolRun.h"

#include <cstdio>
#include <sys/wait.h>

ToolRun RunTool(const CTempDir& dir, const std::string& command,
                const std::vector<std::string>& arguments) {
    return RunToolIn(".", dir, command, arguments);
}

ToolRun RunToolIn(const std::string& folder, const CTempDir& dir, const std::string& command,
                  const std::vector<std::string>& arguments) {
    std::string line = "cd '" + folder + "' && '" + std::string(TOLVE_MAP_TOOL) + "' " + command;
    for (const std::string& argument : arguments)
        line += " '" + argument + "'";
    const std::filesystem::path errors = dir.Path("stderr.txt");
    line += " 2>'" + errors.string() + "'";
    ToolRun run;
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFileText(errors);
    return run;
}
