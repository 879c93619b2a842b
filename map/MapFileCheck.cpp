#include "map/MapFileCheck.h"

#include "framework/RegularFile.h"
#include "framework/Utf8Mark.h"
#include "map/CMapReader.h"
#include "map/MapDiagnostics.h"
#include "map/MapFragment.h"
#include "map/MapLimits.h"
#include "map/MapTextEncoding.h"

#include <algorithm>
#include <cctype>

namespace {

// Keeps the first problem; the rest only repeat that the file is broken.
class CFirstFileProblem : public CMapDiagnostics {
public:
    void Report(int line, int brushLine, std::string_view message) override {
        if (m_problem)
            return;
        while (!message.empty() && message.back() == '\n')
            message.remove_suffix(1);
        m_problem = MapFileProblem{ShownLine(line, brushLine), std::string(message)};
    }
    const std::optional<MapFileProblem>& Problem() const { return m_problem; }

private:
    std::optional<MapFileProblem> m_problem;
};

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

} // namespace

std::optional<MapFileProblem> FindFirstMapFileProblem(const std::string& path) {
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, text, reason, kMaxMapFileBytes))
        return MapFileProblem{0, reason};
    reason = FindNotTextMapReason(text);
    if (!reason.empty())
        return MapFileProblem{0, reason};
    const std::string_view mapText = SkipUtf8Mark(text);
    if (IsBlank(mapText))
        return MapFileProblem{0, kEmptyMapFile};
    MapFragment fragment;
    CFirstFileProblem problems;
    CMapReader(fragment, mapText, problems).ReadMap();
    if (problems.Problem())
        return problems.Problem();
    if (!fragment.hasWorld)
        return MapFileProblem{0, kNoWorldInMapFile};
    return std::nullopt;
}
