#include "entity/EntityDefinitions.h"
#include "map/CTolveDoc.h"
#include "map/MapDiagnostics.h"
#include "map/MapFileMessages.h"
#include "tools/DefinitionFiles.h"
#include "tools/DefinitionNotices.h"
#include "tools/FlatnessNotices.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Prints each problem as FILE:LINE: message, LINE counted from 1. Problems in
// building a brush point at the line of its opening brace. A file of junk has
// a problem in every other byte: past the first kMaxListed problems, and as
// many notices, the rest are counted and told as a number at the end.
class CCheckDiagnostics : public CMapDiagnostics {
public:
    static constexpr size_t kMaxListed = CMapErrorList::kMaxListed;

    explicit CCheckDiagnostics(const char* path) : m_path(path) {}
    void Report(int line, int brushLine, std::string_view message) override {
        if (m_count++ < kMaxListed)
            Print(line, brushLine, "", message);
    }
    void Notice(int line, int brushLine, std::string_view message) override {
        if (m_notices++ < kMaxListed)
            Print(line, brushLine, "notice: ", message);
    }
    void PrintUnlisted() const {
        if (m_count > kMaxListed)
            std::fprintf(stderr, "%s: ... and %zu more problems\n", m_path, m_count - kMaxListed);
        if (m_notices > kMaxListed)
            std::fprintf(stderr, "%s: notice: ... and %zu more notices\n", m_path,
                         m_notices - kMaxListed);
    }
    size_t m_count = 0;

private:
    void Print(int line, int brushLine, const char* kind, std::string_view message) const {
        if (!message.empty() && message.back() == '\n')
            message.remove_suffix(1);
        std::fprintf(stderr, "%s:%d: %s%.*s\n", m_path, ShownLine(line, brushLine), kind,
                     static_cast<int>(message.size()), message.data());
    }

    const char* m_path;
    size_t m_notices = 0;
};

void PrintCheckUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map check [--verbose] [--defs DEFFILE...]... FILE...\n\n"
                 "Reads each map and prints every problem as FILE:LINE: message, LINE counted\n"
                 "from 1; past the first %zu problems of a map, and as many notices, only\n"
                 "how many more there were. A notice tells of what the editor keeps or shows "
                 "differently without\n"
                 "it being a problem: faces whose corners do not lie in one plane, brushes whose\n"
                 "plane points are not whole numbers (one line per file; --verbose lists each\n"
                 "brush with its line), what building a brush finds that the compilers take as\n"
                 "it is (a very short edge), keys given twice in one entity (the game takes the\n"
                 "last; both are kept) and maps made for another game, which the editor opens\n"
                 "read-only. Notices leave the exit status alone.\n"
                 "--defs reads entity definitions (.fgd, or the QUAKED comments of .def and\n"
                 "  .qc files): the argument after it, and those after that which end in\n"
                 "  .fgd, .def or .qc; it may be given again. Each entity whose class they do\n"
                 "  not define, and each key its FGD class does not declare, is then a notice\n"
                 "  (\"classname\", \"origin\", keys starting with \"_\" and \"spawnflags\" of a\n"
                 "  class with flags are not). Problems in the definition files count as\n"
                 "  problems.\n"
                 "Exit status: 0 when no file had a problem, 1 when some had,\n"
                 "2 when a file cannot be read.\n",
                 CCheckDiagnostics::kMaxListed);
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
bool CheckMap(const char* path, bool verbose, const CEntityDefinitions* definitions,
              size_t& problems) {
    CTolveDoc doc;
    CCheckDiagnostics diagnostics(path);
    if (std::optional<FileError> error = doc.ReadMapFile(path, diagnostics)) {
        ShowMessages({DescribeReadFailure(*error)});
        return false;
    }
    diagnostics.PrintUnlisted();
    problems = diagnostics.m_count;
    doc.m_textureWad.SetMapFolder(MapFolderOf(path));
    RecogniseGameQuietly(doc);
    PrintOtherGameNotice(doc, path);
    PrintFractionalNotices(doc, path, verbose);
    PrintFlatnessNotices(doc, path, stderr);
    if (definitions)
        PrintDefinitionNotices(doc, *definitions, path, stderr);
    return true;
}

} // namespace

namespace {

struct CheckArguments {
    bool verbose = false;
    bool complete = true; // false when --defs is the last argument
    std::vector<std::string> definitionFiles;
    std::vector<const char*> maps;
};

CheckArguments ReadCheckArguments(int argc, char** argv) {
    CheckArguments arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0) {
            arguments.verbose = true;
        } else if (std::strcmp(argv[i], "--defs") == 0) {
            if (++i == argc) {
                arguments.complete = false;
                break;
            }
            arguments.definitionFiles.push_back(argv[i]);
            while (i + 1 < argc && IsDefinitionFileName(argv[i + 1]))
                arguments.definitionFiles.push_back(argv[++i]);
        } else {
            arguments.maps.push_back(argv[i]);
        }
    }
    return arguments;
}

} // namespace

int RunCheckCommand(int argc, char** argv) {
    const CheckArguments arguments = ReadCheckArguments(argc, argv);
    const bool usable = !arguments.maps.empty() && arguments.complete;
    if (!usable || WantsHelp(argc, argv)) {
        PrintCheckUsage(usable ? stdout : stderr);
        return usable ? 0 : 2;
    }
    CEntityDefinitions definitions;
    int status = 0;
    if (!arguments.definitionFiles.empty())
        status = ReadDefinitionFiles(arguments.definitionFiles, definitions);
    const CEntityDefinitions* checked = arguments.definitionFiles.empty() ? nullptr : &definitions;
    for (const char* file : arguments.maps) {
        size_t problems = 0;
        if (!CheckMap(file, arguments.verbose, checked, problems))
            status = 2;
        else if (problems > 0 && status == 0)
            status = 1;
    }
    return status;
}
