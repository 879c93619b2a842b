#include "tools/MapCommands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* summary;
};

const Command kCommands[] = {
    {"check", RunCheckCommand, "report every problem the reader finds in map files"},
    {"convert", RunConvertCommand, "save a map again as the editor does, in either form"},
    {"defs", RunDefsCommand, "list the entity classes of .fgd, .def and .qc files with flags"},
    {"stats", RunStatsCommand, "count entities, brushes, faces and vertices; name form and game"},
    {"textures", RunTexturesCommand, "list the textures of WAD2 files, or of a map, with sizes"},
#ifdef TOLVE_HAS_RENDER
    {"render", RunRenderCommand, "draw a map in one plane into a PNG picture"},
    {"compile", RunCompileCommand, "run a compile profile's steps on a map, printing the log"},
#endif
};

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: tolve-map COMMAND [ARGS...]\n\ncommands:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  %-9s %s\n", command.name, command.summary);
    std::fprintf(out, "\n'tolve-map COMMAND --help' describes one command.\n");
}

} // namespace

bool WantsHelp(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

int main(int argc, char** argv) {
    if (argc < 2 || WantsHelp(1, argv + 1)) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "tolve-map: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
