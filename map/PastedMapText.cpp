#include "map/PastedMapText.h"

#include "map/CMapReader.h"
#include "map/FormatConversion.h"
#include "map/MapDiagnostics.h"

namespace {

// Keeps the first problem only: one message is all a paste gives.
class CFirstProblem : public CMapDiagnostics {
public:
    void Report(int line, int brushLine, std::string_view message) override {
        if (m_text)
            return;
        while (!message.empty() && message.back() == '\n')
            message.remove_suffix(1);
        m_text = FormatMapProblem(line, brushLine, message);
    }
    const std::optional<std::string>& Text() const { return m_text; }

private:
    std::optional<std::string> m_text;
};

bool HoldsMapObjects(const MapFragment& fragment) {
    return !fragment.worldBrushes.empty() || !fragment.modelEntities.empty() ||
           !fragment.pointEntities.empty();
}

template <class Change> void ForEachBrush(MapFragment& fragment, Change change) {
    for (auto& brush : fragment.worldBrushes)
        change(*brush);
    for (auto& entity : fragment.modelEntities) {
        for (auto& brush : entity->m_brushes)
            change(*brush);
    }
}

// Brings the fragment's faces into the map's form, or says why it cannot.
std::optional<std::string> FitToFormat(MapFragment& fragment, MapFormat target) {
    if (target == MapFormat::kValve) {
        ForEachBrush(fragment, GiveValveAxes);
    } else {
        const std::vector<UnconvertibleFace> faces = FindLossesInStandardForm(ContentsOf(fragment));
        if (!faces.empty())
            return "This map is in the standard format, which cannot express the texture axes "
                   "of " +
                   std::to_string(faces.size()) +
                   (faces.size() == 1 ? " face or brush" : " faces or brushes") +
                   " on the clipboard:\n" + DescribeUnconvertibleFaces(faces, 20);
        ForEachBrush(fragment, DropValveAxes);
    }
    fragment.format = target;
    return std::nullopt;
}

} // namespace

PastedMapText ReadPastedMapText(std::string_view text, MapFormat target) {
    PastedMapText pasted;
    CFirstProblem problem;
    CMapReader(pasted.fragment, text, problem).ReadMap();
    // Prose fails at its first word; that it is no map says more than where.
    if (!HoldsMapObjects(pasted.fragment))
        pasted.problem = kNoMapObjects;
    else if (pasted.fragment.game != MapGame::kQuake)
        pasted.problem = std::string("The clipboard holds objects of a ") +
                         GetGameName(pasted.fragment.game) +
                         " map; Tolve edits Quake maps and pastes nothing of it";
    else if (problem.Text())
        pasted.problem = problem.Text();
    else
        pasted.problem = FitToFormat(pasted.fragment, target);
    if (pasted.problem)
        pasted.fragment = MapFragment();
    return pasted;
}
