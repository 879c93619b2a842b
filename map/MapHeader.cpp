#include "map/MapHeader.h"

#include <utility>
#include <vector>

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
    const size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// The text after `label` in a comment line ("Game:", "Format:"), trimmed;
// nothing when the line has no such label.
std::string_view ValueAfter(std::string_view line, std::string_view label) {
    const size_t at = line.find(label);
    if (at == std::string_view::npos)
        return {};
    return Trimmed(line.substr(at + label.size()));
}

constexpr std::string_view kFormatLabel = "Format:";

} // namespace

std::string ReadMapHeader(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t comments = 0; // the lines up to the last comment
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::string_view content = Trimmed(line);
        if (!content.empty() && !content.starts_with("//"))
            break;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (!content.empty())
            comments = lines.size();
    }
    std::string header;
    for (size_t i = 0; i < comments; ++i) {
        if (i > 0)
            header.push_back('\n');
        header.append(lines[i]);
    }
    return header;
}

MapGame FindGameInHeader(std::string_view header) {
    constexpr std::pair<std::string_view, MapGame> kGames[] = {
        {"Half-Life", MapGame::kHalfLife}, {"Quake 2", MapGame::kQuake2},
        {"Quake2", MapGame::kQuake2},      {"Quake 3", MapGame::kQuake3},
        {"Quake3", MapGame::kQuake3},      {"Hexen 2", MapGame::kHexen2},
        {"Hexen II", MapGame::kHexen2},
    };
    while (!header.empty()) {
        const size_t end = header.find('\n');
        const std::string_view line = header.substr(0, end);
        header.remove_prefix(end == std::string_view::npos ? header.size() : end + 1);
        if (line.find("Game:") == std::string_view::npos)
            continue;
        const std::string_view game = ValueAfter(line, "Game:");
        for (const auto& [name, known] : kGames) {
            if (game == name)
                return known;
        }
        break;
    }
    return MapGame::kQuake;
}

std::string RestateFormatLine(std::string_view line, MapFormat format) {
    const std::string_view named = ValueAfter(line, kFormatLabel);
    if (named != "Standard" && named != "Valve")
        return std::string(line);
    const std::string_view wanted = format == MapFormat::kValve ? "Valve" : "Standard";
    const size_t at = line.find(named, line.find(kFormatLabel));
    std::string restated(line);
    restated.replace(at, named.size(), wanted);
    return restated;
}
