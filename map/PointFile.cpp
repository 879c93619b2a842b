#include "map/PointFile.h"

#include "framework/RegularFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
}

// One finite number at the start of `text`, which moves past it.
bool ReadNumber(std::string_view& text, double& number) {
    SkipBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1); // written by some tools; from_chars takes no '+'
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || !std::isfinite(number))
        return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return text.empty() || IsBlank(text.front());
}

std::optional<Vec3d> ParsePoint(std::string_view line) {
    Vec3d point;
    for (int axis = 0; axis < 3; ++axis) {
        if (!ReadNumber(line, point[axis]))
            return std::nullopt;
    }
    SkipBlanks(line);
    if (!line.empty())
        return std::nullopt;
    return point;
}

} // namespace

IntPoint NearestPoint(const Vec3d& point) {
    auto nearest = [](double value) {
        return static_cast<int32_t>(
            std::clamp(std::round(value), double{INT32_MIN}, double{INT32_MAX}));
    };
    return {nearest(point.x), nearest(point.y), nearest(point.z)};
}

std::optional<PointFileProblem> ParsePointFile(std::string_view text, PointFile& file) {
    file.points.clear();
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        std::string_view rest = line;
        SkipBlanks(rest);
        if (rest.empty())
            continue;
        const std::optional<Vec3d> point = ParsePoint(line);
        if (!point) {
            file.points.clear();
            return PointFileProblem{number, "expected three numbers \"x y z\""};
        }
        file.points.push_back(*point);
    }
    return std::nullopt;
}

std::optional<std::string> ReadPointFile(const std::string& path, PointFile& file) {
    std::string text, reason;
    if (!ReadRegularFile(path, text, reason, kMaxPointFileBytes))
        return "Couldn't read \"" + path + "\": " + reason + ".";
    if (std::optional<PointFileProblem> problem = ParsePointFile(text, file))
        return path + ":" + std::to_string(problem->line) + ": " + problem->message;
    return std::nullopt;
}

std::string PointFilePathOf(const std::string& mapPath) {
    const size_t slash = mapPath.rfind('/');
    const size_t dot = mapPath.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? mapPath.substr(0, dot) : mapPath) + ".pts";
}
