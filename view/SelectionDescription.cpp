#include "view/SelectionDescription.h"

#include "map/ObjectBounds.h"
#include "map/SelectionSetEdits.h"

#include <optional>
#include <string_view>

namespace {

constexpr const char* kSeparator = " \u00b7 ";

// Map texts are 8-bit and shown as Latin-1; the description is UTF-8.
std::string Shown(std::string_view latin1) {
    std::string text;
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string Size(const IntBox& box) {
    return std::to_string(int64_t{box.max.x} - box.min.x) + " \u00d7 " +
           std::to_string(int64_t{box.max.y} - box.min.y) + " \u00d7 " +
           std::to_string(int64_t{box.max.z} - box.min.z);
}

std::string Point(const IntPoint& p) {
    return std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z);
}

// "func_door brush 2 of 3", "world brush 12 of 340".
std::string NameBrush(const CTolveDoc& doc, const CModelEntity* owner, const CMapBrush& brush) {
    const BrushList& brushes = owner ? owner->m_brushes : doc.GetWorldBrushes();
    size_t number = 0;
    while (number < brushes.size() && brushes[number].get() != &brush)
        ++number;
    return (owner ? Shown(owner->m_classname) : std::string("world")) + " brush " +
           std::to_string(number + 1) + " of " + std::to_string(brushes.size());
}

std::string DescribeBrush(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    const CMapBrush& brush = *state.GetSelectedBrush();
    std::string text = NameBrush(doc, state.GetSelectedEntity(), brush);
    if (state.GetEditMode() == kCornerMode && state.GetSelectedVertex() < brush.m_numVertices)
        text = "corner " + Point(brush.m_vertices[state.GetSelectedVertex()]) + " of " + text;
    if (const std::optional<IntBox> box = BoundsOf(brush))
        text += kSeparator + Size(*box);
    const int face = state.GetEditMode() == kFaceMode ? state.GetSelectedFace() : 0;
    if (face < brush.m_numFaces)
        text += kSeparator + Shown(brush.m_faces[face].texture);
    return text;
}

std::string DescribePointEntity(const CPointEntity& entity) {
    std::string text = Shown(entity.m_classname) + kSeparator + Point(entity.m_origin);
    if (entity.m_hasLight)
        text += kSeparator + std::string("light ") + std::to_string(entity.m_light);
    else if (entity.m_hasAngle)
        text += kSeparator + std::string("angle ") + std::to_string(entity.m_angle);
    return text;
}

const char* PartName(EditMode mode, bool plural) {
    switch (mode) {
    case kCornerMode:
        return plural ? "corners" : "corner";
    case kFaceMode:
        return plural ? "faces" : "face";
    case kEntityMode:
        return plural ? "entities" : "entity";
    default:
        return plural ? "brushes" : "brush";
    }
}

} // namespace

std::string DescribeHover(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    if (state.GetEditMode() == kEntityMode) {
        const CPointEntity* entity = state.GetSelectedPointEntity();
        return entity ? DescribePointEntity(*entity) : std::string();
    }
    return state.GetSelectedBrush() ? DescribeBrush(doc) : std::string();
}

std::string DescribeSelectionSet(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    const CSelectionSet& set = state.GetSelectionSet();
    if (set.IsEmpty())
        return std::string();
    const size_t count = set.CountParts();
    std::string text =
        std::to_string(count) + " " + PartName(state.GetEditMode(), count != 1) + " selected";
    if (const std::optional<IntBox> box = BoundsOfSet(set, state.GetEditMode()))
        text += kSeparator + Size(*box);
    return text;
}

std::string DescribeSelection(const CTolveDoc& doc) {
    const std::string hover = DescribeHover(doc);
    const std::string set = DescribeSelectionSet(doc);
    if (hover.empty() || set.empty())
        return hover + set;
    return hover + " \u2014 " + set;
}
