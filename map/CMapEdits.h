#pragma once

#include "map/CMapChange.h"
#include "map/CMapFragment.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <span>
#include <vector>

class CTolveDoc;

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

// The named changes of a map. Every change the editor makes to the model goes
// through one of these: the model is changed, the document is marked modified
// (here and nowhere else), its views are told, and the change is described.
// Removing an object clears a selection that points at it.
class CMapEdits {
public:
    static constexpr size_t kAtEnd = std::numeric_limits<size_t>::max();

    explicit CMapEdits(CTolveDoc& doc) : m_doc(doc) {}

    CMapChange MoveVertices(CMapBrush& brush, std::span<const int> vertices, IntPoint delta);
    CMapChange MoveBrush(CMapBrush& brush, IntPoint delta);
    CMapChange MovePointEntity(CPointEntity& entity, IntPoint delta);
    // Counts as a change without changing anything: what a drag step does
    // with nothing selected to move.
    CMapChange Touch();

    // `owner` null: the world. `index` kAtEnd appends.
    CMapChange AddBrush(CModelEntity* owner, std::unique_ptr<CMapBrush> brush,
                        size_t index = kAtEnd);
    std::unique_ptr<CMapBrush> RemoveBrush(CModelEntity* owner, CMapBrush& brush,
                                           CMapChange* change = nullptr);
    CMapChange AddPointEntity(std::unique_ptr<CPointEntity> entity, size_t index = kAtEnd);
    std::unique_ptr<CPointEntity> RemovePointEntity(CPointEntity& entity,
                                                    CMapChange* change = nullptr);
    // A brush entity comes and goes with its brushes.
    CMapChange AddModelEntity(std::unique_ptr<CModelEntity> entity, size_t index = kAtEnd);
    std::unique_ptr<CModelEntity> RemoveModelEntity(CModelEntity& entity,
                                                    CMapChange* change = nullptr);
    // Moves a brush from the end or middle of one owner's list to the end of
    // another's (null: the world), or to `index` in it.
    CMapChange MoveBrushToOwner(CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                                size_t index = kAtEnd);

    CMapChange SetPointEntityKeys(CPointEntity& entity, const CPointEntity& keys);
    CMapChange SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys);
    CMapChange SetWorldKeys(const CWorldKeys& keys);
    CMapChange SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture);
    // Gives a brush back everything a copy of it kept: corners, faces and the
    // texts and planes it was read with.
    CMapChange RestoreBrush(CMapBrush& brush, const CMapBrush& state);
    // Trades everything the map file holds (world keys, "wad", brushes,
    // entities, form and game) for what `other` holds, which gets the map's
    // own. The objects themselves move, so a second exchange gives back the
    // very objects the history points at. Nothing stays selected.
    CMapChange ExchangeContents(CMapFragment& other);

private:
    CMapChange Finish(CMapChange change);
    template <class T, class ClearSelection>
    std::unique_ptr<T> TakeOutOf(std::vector<std::unique_ptr<T>>& list, T& item, CMapChange removal,
                                 CMapChange* change, ClearSelection clearSelection);
    BrushList& BrushesOf(CModelEntity* owner);
    void GiveAxesInValveMap(CMapBrush& brush);

    CTolveDoc& m_doc;
};
