#pragma once

#include "map/CTolveDoc.h"
#include "view/BrushPrefetch.h"
#include "view/CViewProjection.h"
#include "view/ViewLimits.h"

#include <vector>

// Hover selection: whenever the mouse moves over a view, the vertex nearest to
// it (with its brush and that brush's owner), the nearest point entity and, in
// face mode, the nearest face of the selected brush become the document's
// selection, and every view of the document is told what changed colour.
class CMapSelection {
public:
    // `cursor` is the view's cursor point; it ends up snapped.
    CMapSelection(CTolveDoc& doc, const CViewProjection& projection, ScreenPoint mouse,
                  IntPoint& cursor)
        : m_doc(doc), m_projection(projection), m_mapper(projection), m_mouse(mouse),
          m_cursor(cursor), m_slab(SlabOf(doc, projection.m_viewMode)) {}

    // Restricted (Ctrl held): the vertex search stays inside the brush that
    // was selected before.
    void UpdateSelection(bool restricted);
    // The plain search, every brush offered in turn: what UpdateSelection,
    // which passes over brushes that cannot win, must always agree with.
    void UpdateSelectionOfferingEveryBrush();
    // Offers every vertex of `brush` (owned by `owner`, none for the world).
    void PickVertex(CMapBrush* brush, CModelEntity* owner);

    // Everything of the mode the view shows at the screen distance of the
    // nearest such thing: objects stacked in depth under the pointer, or
    // touching there. In map order; brushes once each except in corner mode,
    // where each corner counts.
    std::vector<HoverSelection> StackedUnderPointer() const;

private:
    // The corner nearest the pointer of every brush of the map.
    void PickNearestVertex();
    void UpdateSelection(bool restricted, bool everyBrush);
    // visit(brush, owner) for every brush in map order.
    template <class Visit> void ForEachBrush(const Visit& visit) const;
    // The screen distance of the brush's nearest corner the view shows.
    int64_t LeastShownDistance(const CMapBrush& brush) const;
    CPointEntity* PickPointEntity() const;
    uint8_t PickFace(const CMapBrush& brush) const;
    bool BrushBeatsSelected(const CMapBrush& brush) const;
    int64_t ScreenDistance(const IntPoint& world) const;
    int64_t WorldDistance(const IntPoint& world) const;

    CTolveDoc& m_doc;
    const CViewProjection& m_projection;
    CScreenMapper m_mapper;
    ScreenPoint m_mouse;
    IntPoint& m_cursor;
    // The vertex chosen so far, with its screen distance; the document gets
    // it when the search is done.
    CModelEntity* m_bestOwner = nullptr;
    CMapBrush* m_bestBrush = nullptr;
    int32_t m_bestVertex = 0;
    int64_t m_bestScreen = 0;
    DepthSlab m_slab; // vertices outside are hidden and never picked
};

// The running integer mean of a list of points, truncating toward zero.
IntPoint CentreOf(const IntPoint* points, const uint8_t* indices, int count);
