#pragma once

#include "map/BrushClip.h"
#include "map/CMarkedObjects.h"
#include "map/CSelectionSet.h"
#include "map/CameraPose.h"
#include "map/IntPoint.h"
#include "map/MapNotice.h"
#include "texture/BrushFaceFields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class CMapBrush;
class CModelEntity;
class CPointEntity;
class CTolveDoc;

enum EditMode : uint8_t { kCornerMode = 0, kFaceMode = 1, kBrushMode = 2, kEntityMode = 3 };

// What the pointer picked: the vertex nearest to it with its brush and that
// brush's owner (none: the world), the face of that brush in face mode and the
// nearest point entity.
struct HoverSelection {
    CModelEntity* entity = nullptr;
    CMapBrush* brush = nullptr;
    int32_t vertex = 0;
    uint8_t face = 0;
    CPointEntity* pointEntity = nullptr;

    friend bool operator==(const HoverSelection&, const HoverSelection&) = default;
};

// The editing state every view of a map shares: the selection, the edit mode,
// the snap step, the limits, the hidden objects and the insertion point. Each setter tells the
// views what they must redraw, so no caller has to remember it.
class CEditorState {
public:
    explicit CEditorState(CTolveDoc& doc) : m_doc(doc) {}
    CEditorState(const CEditorState&) = delete;
    CEditorState& operator=(const CEditorState&) = delete;

    // The defaults of a new map, with nothing selected; the views hear
    // nothing, as a new map is drawn whole anyway.
    void Reset();

    EditMode GetEditMode() const { return m_editMode; }
    void SetEditMode(EditMode mode);
    int16_t GetSnap() const { return m_snap; }
    void SetSnap(int16_t snap);
    // The limits are stored as the views use them: the upper limit holds the
    // smallest x and the largest y and z, the lower limit the opposite.
    const IntPoint& GetUpperLimit() const { return m_upperLimit; }
    const IntPoint& GetLowerLimit() const { return m_lowerLimit; }
    void SetUpperLimit(const IntPoint& point);
    void SetLowerLimit(const IntPoint& point);
    // Whether the limits hide anything at all; clearing them shows everything.
    bool HasLimits() const;
    void ClearLimits();
    // How far from the pointer, in pixels, the hover may pick an object; 0
    // for no limit. The user's choice, kept through a new map.
    int32_t GetPickDistance() const { return m_pickDistance; }
    void SetPickDistance(int32_t pixels) { m_pickDistance = pixels > 0 ? pixels : 0; }
    // The shape, sides and size the last New Brush of this map was made
    // with, which the next one starts from; none in a new map. Its texture
    // becomes the current texture.
    const std::optional<BrushFaceFields>& GetLastNewBrush() const { return m_lastNewBrush; }
    void SetLastNewBrush(const BrushFaceFields& fields) {
        m_lastNewBrush = fields;
        m_currentTexture = fields.texture;
    }
    // The texture New Brush starts with and Apply Texture gives faces: the
    // one chosen last in the texture browser or for a new brush; empty in a
    // new map.
    const std::string& GetCurrentTexture() const { return m_currentTexture; }
    void SetCurrentTexture(std::string name) { m_currentTexture = std::move(name); }
    const IntPoint& GetInsertionPoint() const { return m_insertionPoint; }
    // The side the last cut kept, which the next one starts with.
    ClipSide GetClipSide() const { return m_clipSide; }
    void SetClipSide(ClipSide side) { m_clipSide = side; }
    // Where a cut's new faces take their texture from: the user's choice,
    // kept through a new map.
    ClipTexture GetClipTexture() const { return m_clipTexture; }
    void SetClipTexture(ClipTexture texture) { m_clipTexture = texture; }
    // The map's camera, once a camera view has stood somewhere.
    const std::optional<CameraPose>& GetCameraPose() const { return m_cameraPose; }
    void SetCameraPose(const CameraPose& pose) { m_cameraPose = pose; }
    void SetInsertionPoint(const IntPoint& point);
    // The group open for editing, whose objects select one by one; kept by
    // its "_tb_id" rather than its entity, so that an undo that takes the
    // entity away leaves nothing dangling. Empty: no group is open.
    const std::string& GetOpenGroup() const { return m_openGroup; }
    void SetOpenGroup(std::string id);

    CModelEntity* GetSelectedEntity() const { return m_selectedEntity; }
    CMapBrush* GetSelectedBrush() const { return m_selectedBrush; }
    int32_t GetSelectedVertex() const { return m_selectedVertex; }
    uint8_t GetSelectedFace() const { return m_selectedFace; }
    CPointEntity* GetSelectedPointEntity() const { return m_selectedPointEntity; }
    HoverSelection GetHover() const;
    // Takes what the pointer picked; the views redraw what changed colour.
    void SetHover(const HoverSelection& hover);
    // One part of the selection at a time, as SetHover.
    void SetSelectedEntity(CModelEntity* entity);
    void SetSelectedBrush(CMapBrush* brush);
    void SetSelectedVertex(int32_t vertex);
    void SetSelectedFace(uint8_t face);
    void SetSelectedPointEntity(CPointEntity* entity);

    // The set of objects gathered in the current mode; a new mode empties it.
    const CSelectionSet& GetSelectionSet() const { return m_set; }
    // Counts the changes of the set, so that whoever draws it knows when to.
    uint64_t GetSetGeneration() const { return m_setGeneration; }
    // Whether the hovered object of the mode is in the set.
    bool IsHoverInSet() const;
    // A set holding just the hovered object of the mode (its corner or face
    // in those modes); empty when nothing is hovered.
    CSelectionSet GetHoverAsSet() const;
    // Adds the hovered object of the mode to the set, or takes it out if it
    // is there; false when nothing is hovered.
    bool ToggleHoverInSet();
    // Trades the set for `set`, of the current mode; the views redraw.
    void SetSelectionSet(CSelectionSet set);
    void ClearSelectionSet() { SetSelectionSet(CSelectionSet()); }

    // Hidden objects are out as those beyond the limits are: never drawn,
    // and the set and the hover never hold one. Locked objects are drawn but
    // are out of reach just the same.
    const CMarkedObjects& GetHidden() const { return m_hidden; }
    bool IsHidden(const CMapBrush& brush) const { return m_hidden.Contains(brush); }
    bool IsHidden(const CPointEntity& entity) const { return m_hidden.Contains(entity); }
    const CMarkedObjects& GetLocked() const { return m_locked; }
    bool IsOutOfReach(const CMapBrush& brush) const {
        return m_hidden.Contains(brush) || m_locked.Contains(brush);
    }
    bool IsOutOfReach(const CPointEntity& entity) const {
        return m_hidden.Contains(entity) || m_locked.Contains(entity);
    }
    // Hides the objects of `objects`, which leave the set and the hover;
    // returns how many were not hidden before. The views redraw.
    size_t Hide(const CSelectionSet& objects);
    // Shows the objects of `objects` again; returns how many were hidden.
    size_t Show(const CSelectionSet& objects);
    // Shows every hidden object again; returns how many there were.
    size_t ShowAll();
    // As Hide and Show, for locking.
    size_t Lock(const CSelectionSet& objects);
    size_t Unlock(const CSelectionSet& objects);

    // An object leaving the map is no longer selected; its removal tells the
    // views, so these do not.
    void ForgetBrush(const CMapBrush& brush);
    void ForgetPointEntity(const CPointEntity& entity);
    void ForgetModelEntity(const CModelEntity& entity);
    void ForgetSelection();
    // A selected brush that moved to another owner stays selected with it.
    void FollowBrush(const CMapBrush& brush, CModelEntity* owner);

private:
    template <class Part> void SetHoverPart(Part HoverSelection::*part, const Part& value);
    // Takes what is out of reach out of the set and the hover.
    void DropOutOfReach();
    void Tell(MapNotice notice) const;
    void TellBrushChange(const HoverSelection& old) const;
    void ToggleGroup(const CSelectionSet& group, bool leaves);

    CTolveDoc& m_doc;
    EditMode m_editMode = kCornerMode;
    int16_t m_snap = 8;
    static constexpr IntPoint kNoUpperLimit{-25000, 25000, 25000};
    static constexpr IntPoint kNoLowerLimit{25000, -25000, -25000};
    IntPoint m_upperLimit = kNoUpperLimit;
    IntPoint m_lowerLimit = kNoLowerLimit;
    IntPoint m_insertionPoint;
    std::optional<CameraPose> m_cameraPose;
    int32_t m_pickDistance = 0;
    std::optional<BrushFaceFields> m_lastNewBrush;
    std::string m_currentTexture;
    ClipSide m_clipSide = ClipSide::kFront;
    ClipTexture m_clipTexture = ClipTexture::kCurrent;
    CModelEntity* m_selectedEntity = nullptr; // owner of m_selectedBrush; null for the world
    CMapBrush* m_selectedBrush = nullptr;
    int32_t m_selectedVertex = 0;
    uint8_t m_selectedFace = 0;
    CPointEntity* m_selectedPointEntity = nullptr;
    CSelectionSet m_set;
    uint64_t m_setGeneration = 0;
    CMarkedObjects m_hidden;
    CMarkedObjects m_locked;
    std::string m_openGroup;
};
