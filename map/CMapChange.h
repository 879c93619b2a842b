#pragma once

#include "map/CMapNotice.h"
#include "map/IntPoint.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CMapBrush;
class CModelEntity;
class CPointEntity;

// What one of the map's named edits did: which edit, the objects it touched
// and what the views were told. A history of changes keeps these.
struct CMapChange {
    enum class Kind : uint8_t {
        kNone,
        kMoveVertices,
        kMoveBrush,
        kMovePointEntity,
        kAddBrush,
        kRemoveBrush,
        kAddPointEntity,
        kRemovePointEntity,
        kAddModelEntity,
        kRemoveModelEntity,
        kMoveBrushToOwner,
        kSetPointEntityKeys,
        kSetModelEntityKeys,
        kSetWorldKeys,
        kSetFaceTexture,
        kRestoreBrush,
        kTouch, // marked modified with nothing to move: a drag step of nothing
        kExchangeContents,
    };

    CMapChange() = default;
    explicit CMapChange(Kind madeBy) : kind(madeBy) {}

    Kind kind = Kind::kNone;
    CMapNotice notice; // every edit repaints the views
    CMapBrush* brush = nullptr;
    CModelEntity* owner = nullptr;    // a brush's owner (none: the world), or the entity itself
    CModelEntity* newOwner = nullptr; // where a brush went
    CPointEntity* pointEntity = nullptr;
    size_t index = 0;          // list position of an added or removed object
    IntPoint delta;            // of a move
    std::vector<int> vertices; // moved corners of kMoveVertices
    int face = -1;             // of kSetFaceTexture
};
