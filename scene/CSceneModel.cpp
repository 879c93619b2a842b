#include "scene/CSceneModel.h"

#include "entity/EntityDefinitions.h"
#include "map/CPointEntity.h"
#include "view/CCanvas.h"
#include "view/ViewLimits.h"

namespace {

constexpr SolidColour kHoverTint{255, 255, 0, 80};
constexpr SolidColour kSetTint{230, 110, 0, 110};
// A class the definitions give no size still shows where it stands.
constexpr int32_t kUnsizedHalf = 8;

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
    m_solidsStale = true;
}

bool CSceneModel::Shown(const IntPoint& point) const {
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        if (!InsideLimits(m_doc, plane, point))
            return false;
    }
    return true;
}

bool CSceneModel::Shown(const CMapBrush& brush) const {
    for (int v = 0; v < brush.m_numVertices; ++v) {
        if (Shown(brush.m_vertices[v]))
            return true;
    }
    return false;
}

bool CSceneModel::Update(size_t groupBudget) {
    const CEditorState& state = m_doc.GetEditorState();
    if (state.GetUpperLimit() != m_upperLimit || state.GetLowerLimit() != m_lowerLimit) {
        m_upperLimit = state.GetUpperLimit();
        m_lowerLimit = state.GetLowerLimit();
        m_groups.MarkAllStale();
    }
    const bool done =
        m_groups.Update(m_doc, groupBudget, [this](const CMapBrush& b) { return Shown(b); });
    if (m_solidsStale) {
        BuildEntityBoxes();
        BuildTint();
        m_solidsStale = false;
        m_solidsChanged = true;
    }
    return done;
}

bool CSceneModel::TakeSolidsChanged() {
    const bool changed = m_solidsChanged;
    m_solidsChanged = false;
    return changed;
}

void CSceneModel::BuildEntityBoxes() {
    m_entityBoxes.clear();
    const CEditorState& state = m_doc.GetEditorState();
    const CEntityDefinitions* definitions = m_doc.GetEntityDefinitions();
    for (const auto& entity : m_doc.GetPointEntities()) {
        if (!Shown(entity->m_origin))
            continue;
        const EntityClassDefinition* definition =
            definitions ? definitions->Find(entity->m_classname) : nullptr;
        IntPoint lo{-kUnsizedHalf, -kUnsizedHalf, -kUnsizedHalf};
        IntPoint hi{kUnsizedHalf, kUnsizedHalf, kUnsizedHalf};
        if (definition && definition->size) {
            const DefinitionSize& size = *definition->size;
            lo = {size.mins.x, size.mins.y, size.mins.z};
            hi = {size.maxs.x, size.maxs.y, size.maxs.z};
        }
        Rgb colour = kDarkGreen;
        if (definition && definition->colour)
            colour = {definition->colour->r, definition->colour->g, definition->colour->b};
        if (state.GetSelectionSet().Contains(*entity))
            colour = kOrange;
        if (entity.get() == state.GetSelectedPointEntity())
            colour = kOlive;
        AppendEntityBox(entity->m_origin, lo, hi, Opaque(colour), m_entityBoxes);
    }
}

void CSceneModel::BuildTint() {
    m_tint.clear();
    const CEditorState& state = m_doc.GetEditorState();
    const bool faces = state.GetEditMode() == kFaceMode;
    for (const auto& [brush, parts] : state.GetSelectionSet().GetBrushes()) {
        if (!Shown(*brush))
            continue;
        if (!faces) {
            AppendBrushTint(*brush, -1, kSetTint, m_tint);
            continue;
        }
        for (int face = 0; face < brush->m_numFaces && face < 64; ++face) {
            if (parts & (uint64_t{1} << face))
                AppendBrushTint(*brush, face, kSetTint, m_tint);
        }
    }
    const HoverSelection hover = state.GetHover();
    if (hover.brush && Shown(*hover.brush) && state.GetEditMode() != kEntityMode)
        AppendBrushTint(*hover.brush, faces ? hover.face : -1, kHoverTint, m_tint);
    if (hover.entity && state.GetEditMode() == kEntityMode) {
        for (const auto& brush : hover.entity->m_brushes)
            AppendBrushTint(*brush, -1, kHoverTint, m_tint);
    }
}
