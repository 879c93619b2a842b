#include "tools/FlatnessNotices.h"

#include "map/FaceFlatness.h"

#include <string>

namespace {

int PrintBrushList(const BrushList& brushes, const std::string& owner, const char* path,
                   FILE* out) {
    int listed = 0;
    for (size_t b = 0; b < brushes.size(); ++b) {
        const CMapBrush& brush = *brushes[b];
        for (int face = 0; face < brush.m_numFaces; ++face) {
            if (IsFaceFlat(brush, face))
                continue;
            std::fprintf(out,
                         "%s: notice: %s, brush %zu, face %d (%s) is not flat; after an edit "
                         "the file keeps the plane through its first three corners\n",
                         path, owner.c_str(), b + 1, face + 1, brush.m_faces[face].texture);
            ++listed;
        }
    }
    return listed;
}

} // namespace

int PrintFlatnessNotices(const CTolveDoc& doc, const char* path, FILE* out) {
    int listed = PrintBrushList(doc.GetWorldBrushes(), "world", path, out);
    for (size_t e = 0; e < doc.GetModelEntities().size(); ++e) {
        const CModelEntity& entity = *doc.GetModelEntities()[e];
        const std::string owner =
            "brush entity " + std::to_string(e + 1) + " (" + entity.m_classname + ")";
        listed += PrintBrushList(entity.m_brushes, owner, path, out);
    }
    return listed;
}
