#include "map/CTolveDoc.h"
#include "map/MapFileMessages.h"
#include "tools/FlatnessNotices.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

void PrintCheckUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map check [--verbose] FILE...\n\n"
                 "Reads each map and prints every problem as FILE:LINE: message, LINE counted\n"
                 "from 1. A notice tells of what the editor keeps or shows differently without\n"
                 "it being a problem: faces whose corners do not lie in one plane, brushes whose\n"
                 "plane points are not whole numbers (one line per file; --verbose lists each\n"
                 "brush with its line) and maps made for another game, which the editor opens\n"
                 "read-only. Notices leave the exit status alone.\n"
                 "Exit status: 0 when no file had a problem, 1 when some had,\n"
                 "2 when a file cannot be read.\n");
}

// Brushes read with decimal plane points keep them until they are edited.
void PrintFractionalNotices(const CTolveDoc& doc, const char* path, bool verbose) {
    const std::vector<int>& lines = doc.m_fractionalBrushLines;
    if (lines.empty())
        return;
    std::fprintf(stderr, "%s: notice: %s\n", path, DescribeFractionalBrushes(lines.size()).c_str());
    if (!verbose)
        return;
    for (int line : lines)
        std::fprintf(stderr, "%s:%d: notice: brush keeps fractional points as written\n", path,
                     ShownLine(line, -1));
}

void PrintOtherGameNotice(const CTolveDoc& doc, const char* path) {
    if (doc.IsOtherGameMap())
        std::fprintf(stderr,
                     "%s: notice: a %s map; Tolve edits Quake maps and opens it read-only\n", path,
                     GetGameName(doc.m_mapGame));
}

// Reads one map and prints its problems and notices; false when it could not
// be read at all.
bool CheckMap(const char* path, bool verbose, int& problems) {
    CTolveDoc doc;
    CCheckDiagnostics diagnostics(path);
    if (std::optional<FileError> error = doc.ReadMapFile(path, diagnostics)) {
        ShowMessages({DescribeReadFailure(*error)});
        return false;
    }
    problems = diagnostics.m_count;
    doc.m_textureWad.SetMapFolder(MapFolderOf(path));
    RecogniseGameQuietly(doc);
    PrintOtherGameNotice(doc, path);
    PrintFractionalNotices(doc, path, verbose);
    PrintFlatnessNotices(doc, path, stderr);
    return true;
}

} // namespace

int RunCheckCommand(int argc, char** argv) {
    bool verbose = false;
    std::vector<const char*> files;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0)
            verbose = true;
        else
            files.push_back(argv[i]);
    }
    if (files.empty() || WantsHelp(argc, argv)) {
        PrintCheckUsage(files.empty() ? stderr : stdout);
        return files.empty() ? 2 : 0;
    }
    int status = 0;
    for (const char* file : files) {
        int problems = 0;
        if (!CheckMap(file, verbose, problems))
            status = 2;
        else if (problems > 0 && status == 0)
            status = 1;
    }
    return status;
}
