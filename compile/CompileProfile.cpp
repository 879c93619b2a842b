#include "compile/CompileProfile.h"

#include <filesystem>

namespace {

// The value of a variable name, or null for a name that is none.
const std::string* FindVariable(std::string_view name, const CompileVariables& variables) {
    if (name == "MAP")
        return &variables.map;
    if (name == "MAPDIR")
        return &variables.mapDir;
    if (name == "NAME")
        return &variables.name;
    if (name == "BSP")
        return &variables.bsp;
    if (name == "GAMEDIR")
        return &variables.gameDir;
    return nullptr;
}

bool NeedsQuotes(std::string_view arg) {
    return arg.empty() || arg.find_first_of(" \t\n\"'\\") != std::string_view::npos;
}

} // namespace

CompileVariables MakeCompileVariables(const std::string& mapPath, const std::string& gameDir) {
    const std::filesystem::path path(mapPath);
    CompileVariables variables;
    variables.map = mapPath;
    variables.mapDir = path.parent_path().string();
    variables.name = path.stem().string();
    variables.bsp = (path.parent_path() / (variables.name + ".bsp")).string();
    variables.gameDir = gameDir;
    return variables;
}

std::string ExpandCompileVariables(std::string_view text, const CompileVariables& variables) {
    std::string expanded;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find("${", at);
        const size_t close = open == std::string_view::npos ? open : text.find('}', open + 2);
        if (close == std::string_view::npos) {
            expanded.append(text.substr(at));
            break;
        }
        expanded.append(text.substr(at, open - at));
        const std::string* value = FindVariable(text.substr(open + 2, close - open - 2), variables);
        if (value)
            expanded.append(*value);
        else
            expanded.append(text.substr(open, close + 1 - open));
        at = close + 1;
    }
    return expanded;
}

CompileStep ExpandCompileStep(const CompileStep& step, const CompileVariables& variables) {
    CompileStep expanded;
    expanded.program = ExpandCompileVariables(step.program, variables);
    for (const std::string& arg : step.args)
        expanded.args.push_back(ExpandCompileVariables(arg, variables));
    expanded.folder =
        step.folder.empty() ? variables.mapDir : ExpandCompileVariables(step.folder, variables);
    expanded.enabled = step.enabled;
    return expanded;
}

std::optional<std::string> FindUnsetVariable(const CompileProfile& profile,
                                             const CompileVariables& variables) {
    if (!variables.gameDir.empty())
        return std::nullopt;
    constexpr std::string_view kGameDir = "${GAMEDIR}";
    for (size_t i = 0; i < profile.steps.size(); ++i) {
        const CompileStep& step = profile.steps[i];
        bool named = step.program.find(kGameDir) != std::string::npos ||
                     step.folder.find(kGameDir) != std::string::npos;
        for (const std::string& arg : step.args)
            named = named || arg.find(kGameDir) != std::string::npos;
        if (step.enabled && named)
            return "Step " + std::to_string(i + 1) + " (" +
                   std::filesystem::path(step.program).filename().string() +
                   ") names ${GAMEDIR}, but no game folder is set";
    }
    return std::nullopt;
}

std::string JoinArguments(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty())
            line += ' ';
        if (!NeedsQuotes(arg)) {
            line += arg;
            continue;
        }
        line += '"';
        for (char c : arg) {
            if (c == '"' || c == '\\')
                line += '\\';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::vector<std::string> SplitArguments(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inArgument)
                args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == '\'') {
            const size_t close = line.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? line.size() : close;
            current.append(line.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() &&
                    (line[i + 1] == '"' || line[i + 1] == '\\'))
                    ++i;
                current += line[i];
            }
        } else if (c == '\\' && i + 1 < line.size()) {
            current += line[++i];
        } else {
            current += c;
        }
    }
    if (inArgument)
        args.push_back(std::move(current));
    return args;
}

std::string DescribeCommandLine(const CompileStep& step) {
    std::vector<std::string> words{step.program};
    words.insert(words.end(), step.args.begin(), step.args.end());
    return JoinArguments(words);
}
