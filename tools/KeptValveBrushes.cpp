#include "tools/KeptValveBrushes.h"

#include "map/CTolveDoc.h"

#include <sstream>

namespace {

// A Valve face line has its u axis in brackets after the texture name, which
// follows the last point.
bool HasValveFaceLine(const std::string& lines) {
    std::istringstream stream(lines);
    for (std::string line; std::getline(stream, line);) {
        const size_t lastPoint = line.rfind(')');
        if (lastPoint == std::string::npos)
            continue;
        std::istringstream rest(line.substr(lastPoint + 1));
        std::string texture;
        std::string next;
        if (rest >> texture >> next && next == "[")
            return true;
    }
    return false;
}

void FindInBrushes(const BrushList& brushes, const std::string& owner,
                   std::vector<std::string>& found) {
    for (size_t b = 0; b < brushes.size(); ++b) {
        const CMapBrush& brush = *brushes[b];
        if (!brush.IsHeld() && HasValveFaceLine(brush.m_keptText->unheldFaceLines))
            found.push_back(owner + ", brush " + std::to_string(b + 1));
    }
}

} // namespace

std::vector<std::string> FindKeptValveBrushes(const CTolveDoc& doc) {
    std::vector<std::string> found;
    FindInBrushes(doc.m_worldBrushes, "the world", found);
    for (size_t e = 0; e < doc.m_modelEntities.size(); ++e) {
        const CModelEntity& entity = *doc.m_modelEntities[e];
        FindInBrushes(entity.m_brushes,
                      "brush entity " + std::to_string(e + 1) + " (" + entity.m_classname + ")",
                      found);
    }
    return found;
}
