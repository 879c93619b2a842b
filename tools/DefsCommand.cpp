#include "entity/EntityDefinitions.h"
#include "tools/DefinitionFiles.h"
#include "tools/MapCommands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PrintDefsUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map defs FILE...\n\n"
                 "Reads entity definition files (.fgd, or the QUAKED comments of .def and .qc\n"
                 "files), in order, a later class replacing an earlier one of the same name,\n"
                 "and prints one line per class that maps can hold, in file order, its fields\n"
                 "separated by tabs: \"point\" or \"brush\", the name, for a point class with a\n"
                 "size the six numbers of its mins and maxs, then each spawnflags bit as\n"
                 "BIT=Caption, those of its base classes included.\n"
                 "Problems go to standard error as FILE:LINE: message, the first %zu of\n"
                 "them, then how many more there were.\n"
                 "Exit status: 0 when no file had a problem, 1 when some had,\n"
                 "2 when a file cannot be read.\n",
                 CDefinitionProblems::kMaxListed);
}

std::string DescribeClass(const EntityClassDefinition& definition) {
    std::string line = definition.kind == EntityClassKind::kPoint ? "point" : "brush";
    line += "\t" + definition.name;
    if (definition.kind == EntityClassKind::kPoint && definition.size) {
        const DefinitionSize& size = *definition.size;
        line += "\t";
        for (int32_t value : {size.mins.x, size.mins.y, size.mins.z, size.maxs.x, size.maxs.y})
            line += std::to_string(value) + " ";
        line += std::to_string(size.maxs.z);
    }
    for (const FlagDefinition& flag : definition.flags)
        line += "\t" + std::to_string(flag.bit) + "=" + flag.caption;
    return line;
}

} // namespace

int RunDefsCommand(int argc, char** argv) {
    if (argc == 0 || WantsHelp(argc, argv)) {
        PrintDefsUsage(argc == 0 ? stderr : stdout);
        return argc == 0 ? 2 : 0;
    }
    CEntityDefinitions definitions;
    const int status =
        ReadDefinitionFiles(std::vector<std::string>(argv, argv + argc), definitions);
    for (const EntityClassDefinition& definition : definitions.GetClasses())
        std::printf("%s\n", DescribeClass(definition).c_str());
    return status;
}
