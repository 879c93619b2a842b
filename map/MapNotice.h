#pragma once

#include "map/IntBox.h"

#include <cstdint>

class CMapBrush;
class CModelEntity;
class CPointEntity;

// What changed in a map, so that each view redraws just that much. Sent to
// every view of the document, synchronously, in the order they registered.
struct MapNotice {
    enum class What : uint8_t {
        kAll,          // anything: repaint everything
        kPointEntity,  // the selected point entity changed; `pointEntity` was selected before
        kOwnerBrushes, // every brush of `owner` (none: the world)
        kBrush,        // the selected brush changed; `brush` was selected before
        kOneBrush,     // `brush` of `owner` alone
        kArea,         // whatever lies in `area`, in world units: the objects an edit
                       // changed, where they were and where they are now
    };

    What what = What::kAll;
    const CPointEntity* pointEntity = nullptr;
    const CModelEntity* owner = nullptr;
    const CMapBrush* brush = nullptr;
    IntBox area;
    // Only the hover or the selection changed, not the map: what is drawn
    // stays, only its colours change.
    bool selectionOnly = false;

    static MapNotice Repaint() { return {}; }
    static MapNotice PointEntitySelection(const CPointEntity* before) {
        return {What::kPointEntity, before, nullptr, nullptr, {}};
    }
    static MapNotice OwnerBrushes(const CModelEntity* owner) {
        return {What::kOwnerBrushes, nullptr, owner, nullptr, {}};
    }
    static MapNotice BrushSelection(const CMapBrush* before) {
        return {What::kBrush, nullptr, nullptr, before, {}};
    }
    static MapNotice OneBrush(const CModelEntity* owner, const CMapBrush* brush) {
        return {What::kOneBrush, nullptr, owner, brush, {}};
    }
    static MapNotice Area(const IntBox& area) {
        return {What::kArea, nullptr, nullptr, nullptr, area};
    }

    friend bool operator==(const MapNotice&, const MapNotice&) = default;
};

// Something that shows a map and wants to hear about its changes.
class CMapObserver {
public:
    virtual ~CMapObserver() = default;
    virtual void OnMapChanged(const MapNotice& notice) = 0;
};
