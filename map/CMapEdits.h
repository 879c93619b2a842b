#pragma once

#include "map/BrushTransform.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"
#include "map/MapFragment.h"
#include "map/PlaneTurn.h"
#include "map/TextureLock.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <vector>

class CTolveDoc;
struct AlignedFace;
struct FaceTextureChange;

// The texture values of one face. A standard face keeps whole offsets within
// 16 bits; a Valve face any offsets, and a change of its rotation turns its
// axes by the difference.
struct FaceTexture {
    char texture[kMaxTextureName + 1] = {};
    double xOffset = 0.0;
    double yOffset = 0.0;
    float rotation = 0.0f;
    float xScale = 1.0f;
    float yScale = 1.0f;
};

// Gives one face the values, by the rules of its form; its kept text goes.
void ApplyFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture);

// What a brush's removal took with it.
enum class BrushRemoval : uint8_t {
    kNotFound,
    kBrush,
    kBrushAndEntity, // the last brush of a brush entity: the entity went too
};

// The named changes of a map. Every change the editor makes to the model goes
// through one of these, inside a transaction that records it: the model is
// changed and the views are told. Removing an object clears a selection that
// points at it, and takes what depends on it along.
// An edit touches what it changes: the object's span loses its end, so a save
// writes it anew rather than copy its text (see TextSpan.h). The span is part
// of the state a record keeps, so an undo gives an object its text back along
// with the state that text says; an object added is new text, even as a copy.
class CMapEdits {
public:
    static constexpr size_t kAtEnd = std::numeric_limits<size_t>::max();

    void MoveVertices(CMapBrush& brush, std::span<const int> vertices, IntPoint delta);
    void MoveBrush(CMapBrush& brush, IntPoint delta);
    void MovePointEntity(CPointEntity& entity, IntPoint delta);
    // Turns or mirrors a brush's corners; its faces stay outward and the axes
    // of Valve faces go along, so the textures stay where they were on it.
    void TurnBrush(CMapBrush& brush, const PlaneTurn& turn);
    // Gives the brush another shape (a part a cut kept): its corners, faces
    // and everything it keeps with them. It stays where it is in its list.
    void ReshapeBrush(CMapBrush& brush, const CMapBrush& shape);
    // Moves the entity's origin, and turns its facing ("angle", the yaw of
    // "mangle") with it.
    void TurnPointEntity(CPointEntity& entity, const PlaneTurn& turn);
    // Moves the entity's origin through a free transform (to whole units),
    // and turns its facing with it while up stays up.
    void TransformPointEntity(CPointEntity& entity, const BrushTransform& transform);

    // `owner` null: the world. `index` kAtEnd appends. The object goes
    // where it was added and stays at that address.
    CMapBrush& AddBrush(CModelEntity* owner, std::unique_ptr<CMapBrush> brush,
                        size_t index = kAtEnd);
    BrushRemoval RemoveBrush(CModelEntity* owner, CMapBrush& brush);
    CPointEntity& AddPointEntity(std::unique_ptr<CPointEntity> entity, size_t index = kAtEnd);
    bool RemovePointEntity(CPointEntity& entity);
    // A brush entity comes and goes with its brushes.
    CModelEntity& AddModelEntity(std::unique_ptr<CModelEntity> entity, size_t index = kAtEnd);
    bool RemoveModelEntity(CModelEntity& entity);
    // Moves a brush from its place in one owner's list to the end of another's
    // (null: the world), or to `index` in it. An entity left without brushes
    // goes.
    void MoveBrushToOwner(CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                          size_t index = kAtEnd);

    void SetPointEntityKeys(CPointEntity& entity, const CPointEntity& keys);
    void SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys);
    void SetWorldKeys(const CWorldKeys& keys);
    void SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture);
    // Only the values `change` names; see ApplyFaceTextureChange.
    void SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture,
                        const FaceTextureChange& change);
    // What a texture alignment made of a face; see ApplyAlignedFace.
    void SetFaceAlignment(CMapBrush& brush, int face, const AlignedFace& aligned);
    // Trades everything the map file holds (world keys, "wad", brushes,
    // entities, form and game) for what `other` holds: reading the file again.
    // The objects themselves move, so the steps before find the very objects
    // they point at once this one is undone. Nothing stays selected.
    void ExchangeContents(MapFragment other);

private:
    friend class CMapTransaction;
    explicit CMapEdits(CTolveDoc& doc) : m_doc(doc) {}

    // Records the state of an object before its first change in the
    // transaction.
    template <class Record, class State> void KeepState(State& object);
    void GiveAxesInValveMap(CMapBrush& brush);

    CTolveDoc& m_doc;
    // The faces of the brush being changed, as they were: kept for the next
    // brush, so that an edit of many allocates no room for them.
    FacesBefore m_facesBefore;
    std::vector<Vec3d> m_directionsBefore;
    // What texture lock made of the kinds of standard face met so far, for
    // the other brushes of the same move or turn.
    CStandardFaceMemo m_standardFaces;
};
