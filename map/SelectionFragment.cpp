#include "map/SelectionFragment.h"

#include "map/CTolveDoc.h"

#include <memory>

namespace {

bool HasSelectedBrush(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    return state.GetEditMode() == kBrushMode && state.GetSelectedBrush();
}

bool HasSelectedPointEntity(const CTolveDoc& doc) {
    const CEditorState& state = doc.GetEditorState();
    return state.GetEditMode() == kEntityMode && state.GetSelectedPointEntity();
}

void CopySelectedBrush(const CTolveDoc& doc, MapFragment& fragment) {
    const CEditorState& state = doc.GetEditorState();
    auto brush = std::make_unique<CMapBrush>(*state.GetSelectedBrush());
    if (!state.GetSelectedEntity()) {
        fragment.worldBrushes.push_back(std::move(brush));
        return;
    }
    // Only the keys: the entity's other brushes are not part of the selection.
    auto entity = std::make_unique<CModelEntity>();
    static_cast<CModelEntityKeys&>(*entity) = *state.GetSelectedEntity();
    entity->m_brushes.push_back(std::move(brush));
    fragment.modelEntities.push_back(std::move(entity));
}

} // namespace

bool HasCopyableSelection(const CTolveDoc& doc) {
    return HasSelectedBrush(doc) || HasSelectedPointEntity(doc);
}

MapFragment FragmentOfSelection(const CTolveDoc& doc) {
    MapFragment fragment;
    // Copies of a Valve map's brushes keep their axes on the clipboard.
    fragment.format = doc.m_mapFormat;
    if (HasSelectedBrush(doc))
        CopySelectedBrush(doc, fragment);
    else if (HasSelectedPointEntity(doc))
        fragment.pointEntities.push_back(
            std::make_unique<CPointEntity>(*doc.GetEditorState().GetSelectedPointEntity()));
    return fragment;
}
