#include "scene/CSceneModel.h"

#include "entity/EntityDefinitions.h"
#include "map/CPointEntity.h"
#include "scene/ScenePicking.h"
#include "view/CCanvas.h"

#include <algorithm>
#include <utility>

namespace {

constexpr SolidColour kHoverTint{255, 255, 0, 80};
constexpr SolidColour kSetTint{230, 110, 0, 110};
constexpr SolidColour kHandle{255, 255, 255, 200};
constexpr SolidColour kHoveredHandle{255, 255, 0, 255};
// Half the side of a corner's handle, in world units.
constexpr int32_t kHandleHalf = 2;
// Point entities drawn, or passed over when hidden, together.
constexpr size_t kEntitiesPerChunk = 256;

// Small boxes on the corners of the hovered brush, the hovered corner bright.
void AppendCornerHandles(const CMapBrush& brush, int32_t hovered, std::vector<SolidVertex>& out) {
    for (int v = 0; v < brush.m_numVertices; ++v) {
        const IntPoint& p = brush.m_vertices[v];
        const IntBox box{{p.x - kHandleHalf, p.y - kHandleHalf, p.z - kHandleHalf},
                         {p.x + kHandleHalf, p.y + kHandleHalf, p.z + kHandleHalf}};
        AppendEntityBox(box, v == hovered ? kHoveredHandle : kHandle, out);
    }
}

SolidColour Opaque(const Rgb& rgb) {
    return {rgb.r, rgb.g, rgb.b, 255};
}

} // namespace

CSceneModel::CSceneModel(CTolveDoc& doc) : m_doc(doc) {
    m_doc.AddView(this);
    const CEditorState& state = m_doc.GetEditorState();
    m_upperLimit = state.GetUpperLimit();
    m_lowerLimit = state.GetLowerLimit();
}

CSceneModel::~CSceneModel() {
    m_doc.RemoveView(this);
}

void CSceneModel::OnMapChanged(const MapNotice& notice) {
    m_groups.OnMapChanged(notice);
    NoteEntityChange(notice);
    m_hoverTintStale = true;
    m_mapChanged |= !notice.selectionOnly;
}

void CSceneModel::NoteEntityChange(const MapNotice& notice) {
    if (m_boxesStale)
        return;
    if (notice.selectionOnly) {
        m_selectionNoticed = true;
        return;
    }
    if (notice.what != MapNotice::What::kArea) {
        m_boxesStale = true;
        return;
    }
    // An entity moved, changed or deleted was in the area; one added is
    // told by the count.
    m_boxesStale = std::ranges::any_of(m_builtEntityBoxes, [&](const IntBox& box) {
        return box.min.x <= notice.area.max.x && notice.area.min.x <= box.max.x &&
               box.min.y <= notice.area.max.y && notice.area.min.y <= box.max.y &&
               box.min.z <= notice.area.max.z && notice.area.min.z <= box.max.z;
    });
}

bool CSceneModel::EntityColoursChanged() const {
    const CEditorState& state = m_doc.GetEditorState();
    return state.GetSelectedPointEntity() != m_builtSelectedEntity ||
           state.GetSelectionSet().GetPointEntities() != m_builtEntitySet;
}

bool CSceneModel::Update(size_t groupBudget) {
    const CEditorState& state = m_doc.GetEditorState();
    if (state.GetUpperLimit() != m_upperLimit || state.GetLowerLimit() != m_lowerLimit ||
        state.GetHidden().GetGeneration() != m_hiddenGeneration) {
        m_upperLimit = state.GetUpperLimit();
        m_lowerLimit = state.GetLowerLimit();
        m_hiddenGeneration = state.GetHidden().GetGeneration();
        m_groups.MarkAllStale();
        m_boxesStale = true;
        m_mapChanged = true;
    }
    const CSceneLimits limits(state);
    const bool done =
        m_groups.Update(m_doc, groupBudget, [&](const CMapBrush& b) { return limits.Shows(b); });
    if (m_boxesStale || m_builtEntityBoxes.size() != m_doc.GetPointEntities().size() ||
        (m_selectionNoticed && EntityColoursChanged())) {
        BuildEntityBoxes(limits);
        m_boxesChanged = true;
    }
    m_boxesStale = m_selectionNoticed = false;
    if (SetTintOutOfDate()) {
        BuildSetTint(limits);
        m_setTintChanged = true;
    }
    if (m_hoverTintStale) {
        BuildHoverTint(limits);
        m_hoverTintStale = false;
        m_hoverTintChanged = true;
    }
    return done;
}

bool CSceneModel::TakeEntityBoxesChanged() {
    return std::exchange(m_boxesChanged, false);
}

bool CSceneModel::TakeSetTintChanged() {
    return std::exchange(m_setTintChanged, false);
}

bool CSceneModel::TakeHoverTintChanged() {
    return std::exchange(m_hoverTintChanged, false);
}

bool CSceneModel::SetTintOutOfDate() const {
    const CEditorState& state = m_doc.GetEditorState();
    return m_mapChanged || state.GetSetGeneration() != m_builtSetGeneration ||
           state.GetEditMode() != m_builtMode;
}

void CSceneModel::BuildEntityBoxes(const CSceneLimits& limits) {
    m_builtEntityBoxes.clear();
    const CEditorState& state = m_doc.GetEditorState();
    m_builtSelectedEntity = state.GetSelectedPointEntity();
    m_builtEntitySet = state.GetSelectionSet().GetPointEntities();
    const CEntityDefinitions* definitions = m_doc.GetEntityDefinitions();
    std::vector<ColouredBox> shown;
    for (const auto& entity : m_doc.GetPointEntities()) {
        const IntBox box = EntityBoxOf(definitions, *entity);
        m_builtEntityBoxes.push_back(box);
        if (!limits.Shows(*entity))
            continue;
        const EntityClassDefinition* definition =
            definitions ? definitions->Find(entity->m_classname) : nullptr;
        Rgb colour = kDarkGreen;
        if (definition && definition->colour)
            colour = {definition->colour->r, definition->colour->g, definition->colour->b};
        if (state.GetSelectionSet().Contains(*entity))
            colour = kOrange;
        if (entity.get() == state.GetSelectedPointEntity())
            colour = kOlive;
        shown.push_back({box, Opaque(colour)});
    }
    m_entityBoxes = ChunkAlongSpace(std::move(shown), kEntitiesPerChunk);
}

void CSceneModel::BuildSetTint(const CSceneLimits& limits) {
    m_setTint.clear();
    const CEditorState& state = m_doc.GetEditorState();
    const bool faces = state.GetEditMode() == kFaceMode;
    for (const auto& [brush, parts] : state.GetSelectionSet().GetBrushes()) {
        if (!limits.Shows(*brush))
            continue;
        if (!faces) {
            AppendBrushTint(*brush, -1, kSetTint, m_setTint);
            continue;
        }
        for (int face = 0; face < brush->m_numFaces && face < 64; ++face) {
            if (parts & (uint64_t{1} << face))
                AppendBrushTint(*brush, face, kSetTint, m_setTint);
        }
    }
    m_builtSetGeneration = state.GetSetGeneration();
    m_builtMode = state.GetEditMode();
    m_mapChanged = false;
}

void CSceneModel::BuildHoverTint(const CSceneLimits& limits) {
    m_hoverTint.clear();
    const CEditorState& state = m_doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    const HoverSelection hover = state.GetHover();
    if (hover.brush && mode == kCornerMode && limits.Shows(*hover.brush))
        AppendCornerHandles(*hover.brush, hover.vertex, m_hoverTint);
    if (hover.brush && limits.Shows(*hover.brush) && mode != kEntityMode)
        AppendBrushTint(*hover.brush, mode == kFaceMode ? hover.face : -1, kHoverTint, m_hoverTint);
    if (hover.entity && mode == kEntityMode) {
        for (const auto& brush : hover.entity->m_brushes) {
            if (!state.IsHidden(*brush))
                AppendBrushTint(*brush, -1, kHoverTint, m_hoverTint);
        }
    }
}
