#pragma once

#include "map/CTolveDoc.h"
#include "map/MapNotice.h"
#include "scene/CSceneGroups.h"
#include "scene/SceneSolids.h"

#include <cstddef>
#include <unordered_set>
#include <vector>

// What the camera view draws of one map, kept current by the map's notices:
// the groups of brush faces, the boxes of the point entities and the tint of
// the hovered and selected objects. Plain data for the drawing to upload.
class CSceneLimits;

class CSceneModel : public CMapObserver {
public:
    explicit CSceneModel(CTolveDoc& doc);
    ~CSceneModel() override;
    CSceneModel(const CSceneModel&) = delete;
    CSceneModel& operator=(const CSceneModel&) = delete;

    void OnMapChanged(const MapNotice& notice) override;

    // Builds at most `groupBudget` stale groups and the solids when they
    // changed; true when nothing is left to build.
    bool Update(size_t groupBudget);
    // True once after the entity boxes, or the tint, changed, for the drawing
    // to upload them.
    bool TakeEntityBoxesChanged();
    // The tint of the set and that of the hovered object, apart: the set's
    // may be large and changes seldom, the hover's changes with every move.
    bool TakeSetTintChanged();
    bool TakeHoverTintChanged();

    CTolveDoc& GetDocument() const { return m_doc; }
    const CSceneGroups& GetGroups() const { return m_groups; }
    // In chunks of entities near each other.
    const std::vector<SolidChunk>& GetEntityBoxes() const { return m_entityBoxes; }
    const std::vector<SolidVertex>& GetSetTint() const { return m_setTint; }
    const std::vector<SolidVertex>& GetHoverTint() const { return m_hoverTint; }

private:
    void NoteEntityChange(const MapNotice& notice);
    bool EntityColoursChanged() const;
    void BuildEntityBoxes(const CSceneLimits& limits);
    void BuildSetTint(const CSceneLimits& limits);
    void BuildHoverTint(const CSceneLimits& limits);
    bool SetTintOutOfDate() const;

    CTolveDoc& m_doc;
    CSceneGroups m_groups;
    std::vector<SolidChunk> m_entityBoxes;
    std::vector<SolidVertex> m_setTint;
    std::vector<SolidVertex> m_hoverTint;
    // What the set's tint was built from; a change of the map may move its
    // brushes too.
    uint64_t m_builtSetGeneration = UINT64_MAX;
    EditMode m_builtMode = kCornerMode;
    bool m_mapChanged = true;
    bool m_setTintChanged = false;
    IntPoint m_upperLimit, m_lowerLimit; // as the groups were built with
    uint64_t m_hiddenGeneration = 0;     // of the hidden objects, likewise
    // The boxes are built again only when a point entity may have changed:
    // a map of thousands of lights keeps them through a brush's drag and
    // every hover.
    std::vector<IntBox> m_builtEntityBoxes; // of every point entity, shown or not
    const CPointEntity* m_builtSelectedEntity = nullptr;
    std::unordered_set<CPointEntity*> m_builtEntitySet;
    bool m_boxesStale = true;
    bool m_selectionNoticed = false; // the boxes may take other colours
    bool m_hoverTintStale = true;
    bool m_boxesChanged = false;
    bool m_hoverTintChanged = false;
};
