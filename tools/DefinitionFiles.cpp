#include "tools/DefinitionFiles.h"

#include "entity/EntityDefinitions.h"

#include <algorithm>
#include <cstdio>

int ReadDefinitionFiles(const std::vector<std::string>& files, CEntityDefinitions& definitions) {
    bool unreadable = false;
    for (const std::string& file : files)
        unreadable = !definitions.ReadFile(file) || unreadable;
    for (const DefinitionProblem& problem : definitions.GetProblems()) {
        if (problem.line > 0)
            std::fprintf(stderr, "%s:%d: %s\n", problem.file.c_str(), problem.line,
                         problem.message.c_str());
        else
            std::fprintf(stderr, "%s\n", problem.message.c_str());
    }
    const size_t unlisted = definitions.GetProblemCount() - definitions.GetProblems().size();
    if (unlisted > 0)
        std::fprintf(stderr, "... and %zu more problems\n", unlisted);
    if (unreadable)
        return 2;
    return definitions.GetProblemCount() == 0 ? 0 : 1;
}

bool IsDefinitionFileName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return extension == ".fgd" || extension == ".def" || extension == ".qc";
}
