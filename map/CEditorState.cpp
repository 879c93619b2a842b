#include "map/CEditorState.h"

#include "map/CTolveDoc.h"
#include "map/MapGroups.h"
#include "map/ObjectBounds.h"

void CEditorState::Reset() {
    m_editMode = kCornerMode;
    m_snap = 8;
    m_upperLimit = kNoUpperLimit;
    m_lowerLimit = kNoLowerLimit;
    m_insertionPoint = IntPoint(0, 0, 0);
    m_selectedEntity = nullptr;
    m_selectedBrush = nullptr;
    m_selectedPointEntity = nullptr;
    m_set.Clear();
    ++m_setGeneration;
    m_hidden.Clear();
    m_locked.Clear();
    m_lastNewBrush.reset();
    m_currentTexture.clear();
    m_cameraPose.reset();
    m_openGroup.clear();
}

void CEditorState::SetOpenGroup(std::string id) {
    if (id == m_openGroup)
        return;
    m_openGroup = std::move(id);
    Tell(MapNotice::Repaint());
}

void CEditorState::Tell(MapNotice notice) const {
    notice.selectionOnly = true;
    m_doc.UpdateAllViews(notice);
}

// The selection is drawn in the mode's colours, so a new mode redraws it. The
// set holds objects of one mode only, so it starts again empty.
void CEditorState::SetEditMode(EditMode mode) {
    if (mode == m_editMode)
        return;
    m_editMode = mode;
    m_set.Clear();
    ++m_setGeneration;
    Tell(MapNotice::Repaint());
}

void CEditorState::SetSnap(int16_t snap) {
    if (snap == m_snap)
        return;
    m_snap = snap;
    Tell(MapNotice::Repaint());
}

void CEditorState::SetUpperLimit(const IntPoint& point) {
    m_upperLimit = point;
    Tell(MapNotice::Repaint());
}

void CEditorState::SetLowerLimit(const IntPoint& point) {
    m_lowerLimit = point;
    Tell(MapNotice::Repaint());
}

bool CEditorState::HasLimits() const {
    return m_upperLimit != kNoUpperLimit || m_lowerLimit != kNoLowerLimit;
}

void CEditorState::ClearLimits() {
    if (!HasLimits())
        return;
    m_upperLimit = kNoUpperLimit;
    m_lowerLimit = kNoLowerLimit;
    Tell(MapNotice::Repaint());
}

void CEditorState::SetInsertionPoint(const IntPoint& point) {
    m_insertionPoint = point;
    Tell(MapNotice::Repaint());
}

HoverSelection CEditorState::GetHover() const {
    return {m_selectedEntity, m_selectedBrush, m_selectedVertex, m_selectedFace,
            m_selectedPointEntity};
}

void CEditorState::SetHover(const HoverSelection& hover) {
    const HoverSelection old = GetHover();
    const bool brushOut = hover.brush && IsOutOfReach(*hover.brush);
    m_selectedEntity = brushOut ? nullptr : hover.entity;
    m_selectedBrush = brushOut ? nullptr : hover.brush;
    m_selectedVertex = hover.vertex;
    m_selectedFace = hover.face;
    m_selectedPointEntity =
        hover.pointEntity && IsOutOfReach(*hover.pointEntity) ? nullptr : hover.pointEntity;
    if (hover.pointEntity != old.pointEntity)
        Tell(MapNotice::PointEntitySelection(old.pointEntity));
    TellBrushChange(old);
}

template <class Part>
void CEditorState::SetHoverPart(Part HoverSelection::*part, const Part& value) {
    HoverSelection hover = GetHover();
    hover.*part = value;
    SetHover(hover);
}

void CEditorState::SetSelectedEntity(CModelEntity* entity) {
    SetHoverPart(&HoverSelection::entity, entity);
}

void CEditorState::SetSelectedBrush(CMapBrush* brush) {
    SetHoverPart(&HoverSelection::brush, brush);
}

void CEditorState::SetSelectedVertex(int32_t vertex) {
    SetHoverPart(&HoverSelection::vertex, vertex);
}

void CEditorState::SetSelectedFace(uint8_t face) {
    SetHoverPart(&HoverSelection::face, face);
}

void CEditorState::SetSelectedPointEntity(CPointEntity* entity) {
    SetHoverPart(&HoverSelection::pointEntity, entity);
}

void CEditorState::TellBrushChange(const HoverSelection& old) const {
    if (m_selectedEntity != old.entity) {
        // A world brush is redrawn alone; a brush entity with all its brushes.
        if (old.brush) {
            Tell(old.entity ? MapNotice::OwnerBrushes(old.entity)
                            : MapNotice::OneBrush(nullptr, old.brush));
        }
        Tell(m_selectedEntity ? MapNotice::OwnerBrushes(m_selectedEntity)
                              : MapNotice::OneBrush(nullptr, m_selectedBrush));
        return;
    }
    if (m_selectedBrush != old.brush || m_editMode == kFaceMode)
        Tell(MapNotice::BrushSelection(old.brush));
    else if (m_selectedVertex != old.vertex)
        Tell(MapNotice::BrushSelection(nullptr));
}

void CEditorState::ForgetBrush(const CMapBrush& brush) {
    m_hidden.Forget(brush);
    m_locked.Forget(brush);
    m_set.Forget(brush);
    ++m_setGeneration;
    if (m_selectedBrush != &brush)
        return;
    m_selectedBrush = nullptr;
    m_selectedEntity = nullptr;
}

void CEditorState::ForgetPointEntity(const CPointEntity& entity) {
    m_hidden.Forget(entity);
    m_locked.Forget(entity);
    m_set.Forget(entity);
    ++m_setGeneration;
    if (m_selectedPointEntity == &entity)
        m_selectedPointEntity = nullptr;
}

void CEditorState::ForgetModelEntity(const CModelEntity& entity) {
    m_hidden.Forget(entity);
    m_locked.Forget(entity);
    m_set.Forget(entity);
    ++m_setGeneration;
    if (m_selectedEntity != &entity)
        return;
    m_selectedEntity = nullptr;
    m_selectedBrush = nullptr;
}

void CEditorState::ForgetSelection() {
    m_selectedEntity = nullptr;
    m_selectedBrush = nullptr;
    m_selectedPointEntity = nullptr;
    m_selectedVertex = 0;
    m_selectedFace = 0;
    m_set.Clear();
    ++m_setGeneration;
    m_hidden.Clear();
    m_locked.Clear();
}

void CEditorState::FollowBrush(const CMapBrush& brush, CModelEntity* owner) {
    if (m_selectedBrush == &brush)
        m_selectedEntity = owner;
}

namespace {

// The corner or face the hover picked, as a mask of its brush's parts; the
// whole brush in brush mode.
uint64_t HoveredParts(EditMode mode, const HoverSelection& hover) {
    switch (mode) {
    case kCornerMode:
        return hover.vertex < hover.brush->m_numVertices ? PartBit(hover.vertex) : 0;
    case kFaceMode:
        return hover.face < hover.brush->m_numFaces ? PartBit(hover.face) : 0;
    default:
        return CSelectionSet::kWholeBrush;
    }
}

} // namespace

bool CEditorState::IsHoverInSet() const {
    if (m_editMode == kEntityMode)
        return m_selectedPointEntity && m_set.Contains(*m_selectedPointEntity);
    if (!m_selectedBrush)
        return false;
    const uint64_t parts = HoveredParts(m_editMode, GetHover());
    return parts != 0 && (m_set.PartsOf(*m_selectedBrush) & parts) == parts;
}

// A closed group acts as one: the hovered object brings the rest of it.
CSelectionSet CEditorState::GetHoverAsSet() const {
    CSelectionSet set;
    if (m_editMode == kEntityMode) {
        if (m_selectedPointEntity)
            set.Add(*m_selectedPointEntity);
    } else if (m_selectedBrush) {
        set.Add(*m_selectedBrush, HoveredParts(m_editMode, GetHover()));
    }
    return WithClosedGroups(m_doc, set);
}

bool CEditorState::ToggleHoverInSet() {
    if (m_editMode == kEntityMode) {
        if (!m_selectedPointEntity)
            return false;
        if (const CSelectionSet group = GetHoverAsSet(); group.GetPointEntities().size() > 1) {
            ToggleGroup(group, m_set.Contains(*m_selectedPointEntity));
            return true;
        }
        m_set.Toggle(*m_selectedPointEntity);
        ++m_setGeneration;
        Tell(MapNotice::Area(BoundsOf(*m_selectedPointEntity)));
        return true;
    }
    if (!m_selectedBrush)
        return false;
    const uint64_t parts = HoveredParts(m_editMode, GetHover());
    const std::optional<IntBox> bounds = BoundsOf(*m_selectedBrush);
    if (parts == 0 || !bounds)
        return false;
    if (const CSelectionSet group = GetHoverAsSet(); group.GetBrushes().size() > 1) {
        ToggleGroup(group, m_set.Contains(*m_selectedBrush));
        return true;
    }
    m_set.Toggle(*m_selectedBrush, parts);
    ++m_setGeneration;
    Tell(MapNotice::Area(*bounds));
    return true;
}

// The whole of a closed group leaves the set or joins it.
void CEditorState::ToggleGroup(const CSelectionSet& group, bool leaves) {
    for (const auto& [brush, parts] : group.GetBrushes()) {
        if (leaves)
            m_set.Remove(*brush, parts);
        else
            m_set.Add(*brush, parts);
    }
    for (CPointEntity* entity : group.GetPointEntities()) {
        if (leaves)
            m_set.Remove(*entity);
        else
            m_set.Add(*entity);
    }
    ++m_setGeneration;
    Tell(MapNotice::Repaint());
}

void CEditorState::SetSelectionSet(CSelectionSet set) {
    m_hidden.RemoveFrom(set);
    m_locked.RemoveFrom(set);
    if (set == m_set)
        return;
    m_set = std::move(set);
    ++m_setGeneration;
    Tell(MapNotice::Repaint());
}

void CEditorState::DropOutOfReach() {
    CSelectionSet set = m_set;
    m_hidden.RemoveFrom(set);
    m_locked.RemoveFrom(set);
    if (!(set == m_set)) {
        m_set = std::move(set);
        ++m_setGeneration;
    }
    // The hover is set again through the rule that drops what is out of reach.
    SetHover(GetHover());
}

size_t CEditorState::Hide(const CSelectionSet& objects) {
    const size_t added = m_hidden.Add(objects);
    if (added == 0)
        return 0;
    DropOutOfReach();
    Tell(MapNotice::Repaint());
    return added;
}

size_t CEditorState::Show(const CSelectionSet& objects) {
    const size_t shown = m_hidden.Remove(objects);
    if (shown != 0)
        Tell(MapNotice::Repaint());
    return shown;
}

size_t CEditorState::ShowAll() {
    const size_t shown = m_hidden.Count();
    if (shown == 0)
        return 0;
    m_hidden.Clear();
    Tell(MapNotice::Repaint());
    return shown;
}

size_t CEditorState::Lock(const CSelectionSet& objects) {
    const size_t added = m_locked.Add(objects);
    if (added == 0)
        return 0;
    DropOutOfReach();
    Tell(MapNotice::Repaint());
    return added;
}

size_t CEditorState::Unlock(const CSelectionSet& objects) {
    const size_t unlocked = m_locked.Remove(objects);
    if (unlocked != 0)
        Tell(MapNotice::Repaint());
    return unlocked;
}
