#include "compile/CCompileRunner.h"
#include "compile/CompileProfileFile.h"
#include "tools/MapCommands.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_stopPipe[2] = {-1, -1};

// Does nothing but write: the event loop reads the pipe.
void OnStopSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_stopPipe[1], &byte, 1);
    errno = savedErrno;
}

const char* SignalName(int signal) {
    switch (signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    default:
        return "SIGHUP";
    }
}

// While it lives, the signals that end a program from outside (kill, Ctrl-C,
// a closed terminal) are handed to `stop` in the event loop instead, so that
// tolve-map can end the compile's processes before it goes. A signal that
// whoever started tolve-map ignores (nohup) stays ignored.
class CStopSignals {
public:
    explicit CStopSignals(std::function<void(int)> stop) {
        if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        m_notifier = std::make_unique<QSocketNotifier>(g_stopPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [stop] {
            unsigned char signal = 0;
            while (::read(g_stopPipe[0], &signal, 1) == 1)
                stop(signal);
        });
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (size_t i = 0; i < std::size(kStopSignals); ++i) {
            ::sigaction(kStopSignals[i], nullptr, &m_old[i]);
            m_caught[i] = m_old[i].sa_handler != SIG_IGN;
            if (m_caught[i])
                ::sigaction(kStopSignals[i], &action, nullptr);
        }
    }
    ~CStopSignals() {
        for (size_t i = 0; i < std::size(kStopSignals); ++i) {
            if (m_caught[i])
                ::sigaction(kStopSignals[i], &m_old[i], nullptr);
        }
        m_notifier.reset();
        for (int& fd : g_stopPipe) {
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_old[std::size(kStopSignals)] = {};
    bool m_caught[std::size(kStopSignals)] = {};
};

void PrintCompileUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map compile --profile FILE.json [--gamedir DIR] MAP\n\n"
                 "Runs the steps of a compile profile on a map, one after the other, as the\n"
                 "editor's Compile > Run does, printing each step's command line, its output\n"
                 "(standard output and error in the order written) and the outcome.\n"
                 "In the steps, ${MAP} is the map's path, ${MAPDIR} its folder, ${NAME} its\n"
                 "name without the extension, ${BSP} ${MAPDIR}/${NAME}.bsp and ${GAMEDIR} the\n"
                 "folder given by --gamedir. A step that is not enabled is passed over.\n"
                 "Each step runs in a process group of its own. SIGTERM, SIGINT (Ctrl-C) or\n"
                 "SIGHUP cancels the compile: the running step's group is asked to end and\n"
                 "killed after 3 seconds.\n"
                 "Exit status: 0 when every step succeeded; else the failing step's status,\n"
                 "or 1 when it had none (it could not start or was killed); 2 for a wrong\n"
                 "command line, a profile that cannot be read or a missing map; 128 plus the\n"
                 "signal's number when a signal cancelled the compile.\n");
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
    int stoppedBy = 0;
    const CStopSignals stopSignals([&](int signal) {
        // A compile that has just ended is left to end as it did.
        if (stoppedBy != 0 || !runner.IsRunning())
            return;
        stoppedBy = signal;
        std::fprintf(stderr, "tolve-map: %s received; cancelling the compile\n",
                     SignalName(signal));
        runner.Cancel();
    });
    runner.Start(std::move(steps));
    if (runner.IsRunning())
        app.exec();
    return stoppedBy != 0 ? 128 + stoppedBy : runner.GetExitStatus();
}
