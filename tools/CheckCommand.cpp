#include "map/CTolveDoc.h"
#include "map/MapFileMessages.h"
#include "tools/FlatnessNotices.h"
#include "tools/MapCommands.h"

#include <cstdio>
#include <string>

namespace {

// Prints each problem as FILE:LINE: message, LINE counted from 1. Problems in
// building a brush point at the line of its opening brace.
class CCheckDiagnostics : public CMapDiagnostics {
public:
    explicit CCheckDiagnostics(const char* path) : m_path(path) {}
    void Report(int line, int brushLine, std::string_view message) override {
        if (!message.empty() && message.back() == '\n')
            message.remove_suffix(1);
        const int shown = ShownLine(line, brushLine);
        std::fprintf(stderr, "%s:%d: %.*s\n", m_path, shown, static_cast<int>(message.size()),
                     message.data());
        ++m_count;
    }
    int m_count = 0;

private:
    const char* m_path;
};

} // namespace

int RunCheckCommand(int argc, char** argv) {
    if (argc < 1 || WantsHelp(argc, argv)) {
        std::fprintf(argc < 1 ? stderr : stdout,
                     "usage: tolve-map check FILE...\n\n"
                     "Reads each map and prints every problem as FILE:LINE: message.\n"
                     "Exit status: 0 when no file had a problem, 1 when some had,\n"
                     "2 when a file cannot be read.\n");
        return argc < 1 ? 2 : 0;
    }
    int status = 0;
    for (int i = 0; i < argc; ++i) {
        CTolveDoc doc;
        CCheckDiagnostics diagnostics(argv[i]);
        if (std::optional<CFileError> error = doc.ReadMapFile(argv[i], diagnostics)) {
            ShowMessages({DescribeReadFailure(*error)});
            status = 2;
            continue;
        }
        PrintFlatnessNotices(doc, argv[i], stderr); // notices leave the status alone
        if (diagnostics.m_count > 0 && status == 0)
            status = 1;
    }
    return status;
}
