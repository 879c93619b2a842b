#include "compile/CCompileRunner.h"
#include "compile/CompileProfileFile.h"
#include "tools/MapCommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace {

void PrintCompileUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map compile --profile FILE.json [--gamedir DIR] MAP\n\n"
                 "Runs the steps of a compile profile on a map, one after the other, as the\n"
                 "editor's Compile > Run does, printing each step's command line, its output\n"
                 "(standard output and error in the order written) and the outcome.\n"
                 "In the steps, ${MAP} is the map's path, ${MAPDIR} its folder, ${NAME} its\n"
                 "name without the extension, ${BSP} ${MAPDIR}/${NAME}.bsp and ${GAMEDIR} the\n"
                 "folder given by --gamedir. A step that is not enabled is passed over.\n"
                 "Exit status: 0 when every step succeeded; else the failing step's status,\n"
                 "or 1 when it had none (it could not start or was killed); 2 for a wrong\n"
                 "command line, a profile that cannot be read or a missing map.\n");
}

struct CompileOptions {
    std::string profilePath;
    std::string gameFolder;
    std::string mapPath;
};

std::optional<CompileOptions> ReadCompileOptions(int argc, char** argv) {
    CompileOptions options;
    for (int i = 0; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--profile") == 0 && hasValue)
            options.profilePath = argv[++i];
        else if (std::strcmp(argv[i], "--gamedir") == 0 && hasValue)
            options.gameFolder = argv[++i];
        else if (argv[i][0] != '-' && options.mapPath.empty())
            options.mapPath = argv[i];
        else
            return std::nullopt;
    }
    if (options.profilePath.empty() || options.mapPath.empty())
        return std::nullopt;
    return options;
}

void PrintLines(const QStringList& lines) {
    for (const QString& line : lines)
        std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

int RunCompileCommand(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        PrintCompileUsage(stdout);
        return 0;
    }
    const std::optional<CompileOptions> options = ReadCompileOptions(argc, argv);
    if (!options) {
        PrintCompileUsage(stderr);
        return 2;
    }
    CompileProfile profile;
    if (std::optional<std::string> problem = ReadCompileProfile(options->profilePath, profile)) {
        std::fprintf(stderr, "tolve-map: %s\n", problem->c_str());
        return 2;
    }
    std::error_code error;
    const std::filesystem::path map = std::filesystem::absolute(options->mapPath, error);
    if (error || !std::filesystem::is_regular_file(map, error)) {
        std::fprintf(stderr, "tolve-map: %s: no such map file\n", options->mapPath.c_str());
        return 2;
    }

    int appArgc = 1;
    char appName[] = "tolve-map";
    char* appArgv[] = {appName, nullptr};
    QCoreApplication app(appArgc, appArgv);
    const CompileVariables variables =
        MakeCompileVariables(map.lexically_normal().string(), options->gameFolder);
    if (const std::optional<std::string> problem = FindUnsetVariable(profile, variables)) {
        std::fprintf(stderr, "tolve-map: %s (--gamedir)\n", problem->c_str());
        return 2;
    }
    std::vector<CompileStep> steps;
    for (const CompileStep& step : profile.steps)
        steps.push_back(ExpandCompileStep(step, variables));

    CCompileRunner runner;
    QObject::connect(&runner, &CCompileRunner::LinesLogged,
                     [](CCompileRunner::LineKind, const QStringList& lines) { PrintLines(lines); });
    QObject::connect(&runner, &CCompileRunner::Finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    runner.Start(std::move(steps));
    if (runner.IsRunning())
        app.exec();
    return runner.GetExitStatus();
}
