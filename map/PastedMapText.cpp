#include "map/PastedMapText.h"

#include "map/CMapReader.h"
#include "map/MapDiagnostics.h"
#include "map/MapTextEncoding.h"

namespace {

// Keeps the first problem only: one message is all a paste gives.
class CFirstProblem : public CMapDiagnostics {
public:
    void Report(int line, int, std::string_view message) override {
        if (m_text)
            return;
        while (!message.empty() && message.back() == '\n')
            message.remove_suffix(1);
        m_text = std::to_string(line) + " : " + std::string(message);
    }
    const std::optional<std::string>& Text() const { return m_text; }

private:
    std::optional<std::string> m_text;
};

bool HoldsMapObjects(const CMapFragment& fragment) {
    return !fragment.worldBrushes.empty() || !fragment.modelEntities.empty() ||
           !fragment.pointEntities.empty();
}

} // namespace

PastedMapText ReadPastedMapText(std::string_view text) {
    PastedMapText pasted;
    CFirstProblem problem;
    CMapReader(pasted.fragment, SkipUtf8Mark(text), problem).ReadMap();
    // Prose fails at its first word; that it is no map says more than where.
    if (!HoldsMapObjects(pasted.fragment))
        pasted.problem = kNoMapObjects;
    else if (problem.Text())
        pasted.problem = problem.Text();
    if (pasted.problem)
        pasted.fragment = CMapFragment();
    return pasted;
}
