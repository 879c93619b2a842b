#pragma once

#include "map/CEditorState.h"
#include "map/IntBox.h"
#include "map/Vec3d.h"
#include "scene/CSceneCamera.h"

class CEntityDefinitions;
class CMapBrush;
class CModelEntity;
class CPointEntity;
class CTolveDoc;

// What the camera view shows: what lies strictly inside the editor's limits
// on all three axes, as Select Inside Limits takes it, and is not hidden. A
// brush shows when any of its corners does, as the flat views draw it; a
// point entity with its origin. What a pick may reach leaves out the locked
// objects too, which are drawn.
enum class SceneUse : uint8_t { kDrawing, kPicking };

class CSceneLimits {
public:
    explicit CSceneLimits(const CEditorState& state, SceneUse use = SceneUse::kDrawing);

    bool Shows(const IntPoint& point) const;
    bool Shows(const CMapBrush& brush) const;
    // Without a look at the corners where the box tells.
    bool Shows(const CMapBrush& brush, const IntBox& bounds) const;
    bool Shows(const CPointEntity& entity) const;

private:
    bool IsOut(const CMapBrush& brush) const {
        return m_hidden.Contains(brush) || (m_locked && m_locked->Contains(brush));
    }
    bool IsOut(const CPointEntity& entity) const {
        return m_hidden.Contains(entity) || (m_locked && m_locked->Contains(entity));
    }

    const CMarkedObjects& m_hidden;
    const CMarkedObjects* m_locked; // none when drawing
    IntPoint m_low;                 // exclusive
    IntPoint m_high;                // exclusive
};

// The first shown thing a ray meets: a brush, with its owner (null: the world)
// and the face the ray enters it through, or a point entity's box. Nothing is
// met where the eye stands inside it, as its faces turn away from the eye.
struct ScenePick {
    CMapBrush* brush = nullptr;
    CModelEntity* owner = nullptr;
    int face = 0;
    CPointEntity* pointEntity = nullptr;
    double distance = 0.0; // along the ray
    Vec3d point;

    bool IsHit() const { return brush != nullptr || pointEntity != nullptr; }
};

// The box a point entity is drawn and picked with: its class's size, or
// kDefaultEntityHalfSize each way where the class gives none or no classes
// are known (null).
inline constexpr int32_t kDefaultEntityHalfSize = 16;
IntBox EntityBoxOf(const CEntityDefinitions* definitions, const CPointEntity& entity);

// The nearest hit in map order among ties. Passes over whole runs of brushes
// and single brushes whose boxes the ray misses or meets only beyond a nearer
// hit.
ScenePick PickAlongRay(const CTolveDoc& doc, const SceneRay& ray);
// The same found by testing every brush: what PickAlongRay must agree with.
ScenePick PickAlongRayTestingEveryBrush(const CTolveDoc& doc, const SceneRay& ray);

// What the pick hovers in `mode`, as the flat views fill the hover: the brush
// and its owner with the face in face mode, or its shown corner nearest the
// hit in corner mode; in entity mode a point entity, or the brush entity that
// owns the brush (the world is no entity to pick). A point entity is hovered
// as such in every mode.
HoverSelection HoverFromPick(const ScenePick& pick, EditMode mode, const CSceneLimits& limits);
